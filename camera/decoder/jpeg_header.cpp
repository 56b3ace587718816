#include "camera/decoder/jpeg_header.h"

#include <algorithm>

#include "camera/decoder/dib_stride.h"

namespace vcam::camera {
namespace {

constexpr std::uint8_t kSof0 = 0xC0;
constexpr std::uint8_t kDht = 0xC4;
constexpr std::uint8_t kDqt = 0xDB;
constexpr std::uint8_t kDri = 0xDD;
constexpr std::uint8_t kSos = 0xDA;

// Reads of one segment; a read at or past `limit` (the nearer of the segment's
// end and the buffer's end) fails the cursor and yields 0.
class SegmentCursor {
 public:
  SegmentCursor(const std::uint8_t* data, std::size_t pos, std::size_t limit)
      : data_(data), pos_(pos), limit_(limit) {}

  std::uint8_t u8() {
    if (pos_ >= limit_) {
      ok_ = false;
      return 0;
    }
    return data_[pos_++];
  }
  int u16() {
    const int high = u8();
    return (high << 8) | u8();
  }
  bool ok() const { return ok_; }
  bool at_end() const { return pos_ >= limit_; }
  // Hands out `count` bytes, or null when they are not all inside the segment.
  const std::uint8_t* bytes(std::size_t count) {
    if (limit_ < pos_ || limit_ - pos_ < count) {
      ok_ = false;
      return nullptr;
    }
    const std::uint8_t* at = data_ + pos_;
    pos_ += count;
    return at;
  }

 private:
  const std::uint8_t* data_;
  std::size_t pos_;
  std::size_t limit_;
  bool ok_ = true;
};

// Start-of-frame markers of every other coding process (extended, progressive,
// lossless, hierarchical, arithmetic); 0xC4, 0xC8 and 0xCC are other segments.
bool is_other_frame_marker(std::uint8_t marker) {
  return marker >= 0xC1 && marker <= 0xCF && marker != kDht && marker != 0xC8 && marker != 0xCC;
}

bool parse_frame(SegmentCursor& in, int length, std::size_t max_picture_bytes, JpegHeader& header) {
  if (length != 17) return false;
  const int precision = in.u8();
  const int height = in.u16();
  const int width = in.u16();
  const int count = in.u8();
  if (!in.ok() || precision != 8 || count != 3) return false;
  // A zero size is a multiple of 16 too, but leaves nothing to show.
  if (width == 0 || height == 0 || width % 16 != 0 || height % 16 != 0) return false;
  if (dib_stride24(width) * static_cast<std::size_t>(height) >
      max_picture_bytes) {
    return false;
  }
  std::array<JpegComponent, 3> components{};
  for (int i = 0; i < 3; ++i) {
    const int id = in.u8();
    const int sampling = in.u8();
    const int quant = in.u8();
    if (!in.ok() || id != i + 1 || sampling != (i == 0 ? 0x22 : 0x11) || quant > 3) return false;
    components[static_cast<std::size_t>(i)].quant = quant;
  }
  header.width = width;
  header.height = height;
  header.components = components;
  return true;
}

bool parse_quant_tables(SegmentCursor& in, JpegHeader& header) {
  while (!in.at_end()) {
    const int precision_id = in.u8();
    const int precision = precision_id >> 4;  // 0: 8-bit entries
    const int id = precision_id & 15;
    if (!in.ok() || precision != 0 || id > 3) return false;
    const std::uint8_t* entries = in.bytes(64);
    if (entries == nullptr) return false;
    auto& table = header.quant[static_cast<std::size_t>(id)];
    std::copy(entries, entries + 64, table.begin());
    header.quant_defined[static_cast<std::size_t>(id)] = true;
  }
  return true;
}

bool parse_huffman_tables(SegmentCursor& in, JpegHeader& header) {
  while (!in.at_end()) {
    const int class_id = in.u8();
    const int table_class = class_id >> 4;
    const int id = class_id & 15;
    if (!in.ok() || table_class > 1 || id > 3) return false;
    const std::uint8_t* count_bytes = in.bytes(16);
    if (count_bytes == nullptr) return false;
    std::uint8_t counts[16];
    std::size_t total = 0;
    for (int i = 0; i < 16; ++i) {
      counts[i] = count_bytes[i];
      total += counts[i];
    }
    const std::uint8_t* symbols = in.bytes(total);
    if (symbols == nullptr) return false;
    auto& trees = table_class == 0 ? header.dc : header.ac;
    trees[static_cast<std::size_t>(id)].build(counts, symbols);
  }
  return true;
}

bool parse_scan(SegmentCursor& in, int length, bool have_frame, JpegHeader& header) {
  if (length != 12 || !have_frame) return false;
  if (in.u8() != 3) return false;
  for (int i = 0; i < 3; ++i) {
    const int id = in.u8();
    const int tables = in.u8();
    if (!in.ok() || id != i + 1) return false;
    JpegComponent& component = header.components[static_cast<std::size_t>(i)];
    component.dc = tables >> 4;
    component.ac = tables & 15;
    if (component.dc > 3 || component.ac > 3) return false;
    // Tables the scan relies on must have been given before it.
    if (!header.quant_defined[static_cast<std::size_t>(component.quant)] ||
        !header.dc[static_cast<std::size_t>(component.dc)].defined() ||
        !header.ac[static_cast<std::size_t>(component.ac)].defined()) {
      return false;
    }
  }
  // Spectral selection and approximation bytes: fixed in baseline, not checked.
  in.bytes(3);
  return in.ok();
}

}  // namespace

bool parse_jpeg_header(const std::uint8_t* data, std::size_t size, std::size_t max_picture_bytes,
                       JpegHeader& header) {
  header = JpegHeader{};
  if (data == nullptr || size < 2 || data[0] != 0xFF || data[1] != 0xD8) return false;
  bool have_frame = false;
  std::size_t pos = 2;
  while (pos < size) {
    if (data[pos] != 0xFF) {
      ++pos;
      continue;
    }
    if (size - pos < 4) return false;  // marker and length must both be there
    const std::uint8_t marker = data[pos + 1];
    const int length = (data[pos + 2] << 8) | data[pos + 3];
    if (length < 2) return false;  // shorter than its own length field
    const std::size_t segment_end = pos + 2 + static_cast<std::size_t>(length);
    SegmentCursor in(data, pos + 4, std::min(segment_end, size));
    if (marker == kSof0) {
      if (!parse_frame(in, length, max_picture_bytes, header)) return false;
      have_frame = true;
    } else if (marker == kDht) {
      if (!parse_huffman_tables(in, header)) return false;
    } else if (marker == kDqt) {
      if (!parse_quant_tables(in, header)) return false;
    } else if (marker == kDri || is_other_frame_marker(marker)) {
      return false;
    } else if (marker == kSos) {
      if (!parse_scan(in, length, have_frame, header)) return false;
      header.entropy_begin = segment_end;
      return true;
    }
    pos = segment_end;
  }
  return false;  // no scan
}

}  // namespace vcam::camera
