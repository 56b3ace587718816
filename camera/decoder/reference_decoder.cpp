#include "camera/decoder/reference_decoder.h"

#include <algorithm>
#include <array>
#include <vector>

#include "camera/decoder/block_idct.h"
#include "camera/decoder/dib_stride.h"
#include "camera/decoder/entropy_bytes.h"
#include "camera/decoder/jpeg_header.h"
#include "camera/decoder/jpeg_tables.h"
#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/ycbcr_planes.h"

namespace vcam::camera {
namespace {

// Entropy-data cursor: byte position, bit position 0..7 and the current byte.
// A byte is fetched when a bit is needed and the bit position is 0.
class BitCursor {
 public:
  BitCursor(const std::uint8_t* data, std::size_t size, std::size_t begin)
      : data_(data), size_(size), pos_(begin) {}

  // 0 or 1, or -1 when the data has ended or hit a marker.
  int bit() {
    if (bit_pos_ == 0) {
      const int byte = next_entropy_byte(data_, size_, pos_);
      if (byte == kNoEntropyByte) return -1;
      current_ = byte;
    }
    const int value = (current_ >> (7 - bit_pos_)) & 1;
    bit_pos_ = (bit_pos_ + 1) & 7;
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_;
  int bit_pos_ = 0;
  int current_ = 0;
};

// Walks the tree one bit per step to a node without children. -1 on a missing
// child, the end of the data, or an empty table (its root has no children).
int decode_symbol(const HuffmanTree& tree, BitCursor& bits) {
  std::int32_t at = HuffmanTree::kRoot;
  while (!tree.node(at).leaf()) {
    const int bit = bits.bit();
    if (bit < 0) return -1;
    at = tree.node(at).child[bit];
    if (at < 0) return -1;
  }
  return tree.node(at).symbol;
}

// Reads `size` (1..15) bits and applies JPEG's EXTEND rule.
bool receive_extend(BitCursor& bits, int size, std::int32_t& value) {
  std::int32_t raw = 0;
  for (int i = 0; i < size; ++i) {
    const int bit = bits.bit();
    if (bit < 0) return false;
    raw = (raw << 1) | bit;
  }
  value = (raw >> (size - 1)) != 0 ? raw : raw - ((1 << size) - 1);
  return true;
}

struct ComponentState {
  const HuffmanTree* dc;
  const HuffmanTree* ac;
  const std::array<std::uint8_t, 64>* quant;
  std::int32_t predictor = 0;
};

bool decode_block(BitCursor& bits, ComponentState& component, std::uint8_t* out,
                  std::size_t stride) {
  std::int32_t zigzag[64] = {};
  const int dc_size = decode_symbol(*component.dc, bits);
  if (dc_size < 0 || dc_size > 15) return false;
  std::int32_t difference = 0;
  if (dc_size != 0 && !receive_extend(bits, dc_size, difference)) return false;
  component.predictor = static_cast<std::int32_t>(static_cast<std::uint32_t>(component.predictor) +
                                                  static_cast<std::uint32_t>(difference));
  zigzag[0] = component.predictor;

  for (int k = 1; k <= 63;) {
    const int symbol = decode_symbol(*component.ac, bits);
    if (symbol < 0) return false;
    const int run = symbol >> 4;
    const int size = symbol & 15;
    if (size != 0) {
      k += run;
      if (k > 63) break;
      if (!receive_extend(bits, size, zigzag[k])) return false;
      k += 1;
    } else if (symbol == 0xF0) {
      k += 16;
    } else {
      break;  // end of block
    }
  }

  std::int32_t natural[64];
  for (int k = 0; k < 64; ++k) {
    natural[kZigzagToNatural[static_cast<std::size_t>(k)]] = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(zigzag[k]) * (*component.quant)[static_cast<std::size_t>(k)]);
  }
  idct_8x8(natural, out, stride);
  return true;
}

bool decode_scan(const std::uint8_t* data, std::size_t size, const JpegHeader& header,
                 YCbCrPlanes& planes) {
  BitCursor bits(data, size, header.entropy_begin);
  std::array<ComponentState, 3> components{};
  for (std::size_t i = 0; i < 3; ++i) {
    const JpegComponent& c = header.components[i];
    components[i].dc = &header.dc[static_cast<std::size_t>(c.dc)];
    components[i].ac = &header.ac[static_cast<std::size_t>(c.ac)];
    components[i].quant = &header.quant[static_cast<std::size_t>(c.quant)];
  }
  const std::size_t luma_stride = static_cast<std::size_t>(planes.width);
  const std::size_t chroma_stride = static_cast<std::size_t>(planes.chroma_width);
  for (int y = 0; y < planes.height; y += 16) {
    for (int x = 0; x < planes.width; x += 16) {
      std::uint8_t* luma = planes.y.get() + static_cast<std::size_t>(y) * luma_stride + static_cast<std::size_t>(x);
      const std::size_t chroma_offset =
          static_cast<std::size_t>(y / 2) * chroma_stride + static_cast<std::size_t>(x / 2);
      if (!decode_block(bits, components[0], luma, luma_stride) ||
          !decode_block(bits, components[0], luma + 8, luma_stride) ||
          !decode_block(bits, components[0], luma + 8 * luma_stride, luma_stride) ||
          !decode_block(bits, components[0], luma + 8 * luma_stride + 8, luma_stride) ||
          !decode_block(bits, components[1], planes.cb.get() + chroma_offset, chroma_stride) ||
          !decode_block(bits, components[2], planes.cr.get() + chroma_offset, chroma_stride)) {
        return false;
      }
    }
  }
  return true;
}

// Full-size plane from a half-size one: a 3:1 blend with the nearer and the
// farther chroma row, then a 3:1 blend across columns.
std::vector<std::uint8_t> upsample(const std::uint8_t* chroma, int columns, int rows) {
  const int width = columns * 2;
  const int height = rows * 2;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::vector<int> sums(static_cast<std::size_t>(columns));
  for (int j = 0; j < height; ++j) {
    const int near_row = j / 2;
    int far_row = j % 2 == 0 ? near_row - 1 : near_row + 1;
    if (j == 0 || j == height - 1) far_row = near_row;
    const std::uint8_t* near_line = chroma + static_cast<std::size_t>(near_row) * static_cast<std::size_t>(columns);
    const std::uint8_t* far_line = chroma + static_cast<std::size_t>(far_row) * static_cast<std::size_t>(columns);
    for (int k = 0; k < columns; ++k) sums[static_cast<std::size_t>(k)] = 3 * near_line[k] + far_line[k];
    std::uint8_t* line = out.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(width);
    line[0] = static_cast<std::uint8_t>((sums[0] + 2) >> 2);
    line[width - 1] = static_cast<std::uint8_t>((sums[static_cast<std::size_t>(columns - 1)] + 2) >> 2);
    for (int k = 0; k + 1 < columns; ++k) {
      const int here = sums[static_cast<std::size_t>(k)];
      const int next = sums[static_cast<std::size_t>(k + 1)];
      line[2 * k + 1] = static_cast<std::uint8_t>((3 * here + next + 8) >> 4);
      line[2 * k + 2] = static_cast<std::uint8_t>((here + 3 * next + 8) >> 4);
    }
  }
  return out;
}

std::uint8_t clamp_channel(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void convert(const YCbCrPlanes& planes, std::uint8_t* dst) {
  const std::size_t pixels = planes.luma_size();
  const std::vector<std::uint8_t> cb = upsample(planes.cb.get(), planes.chroma_width, planes.chroma_height);
  const std::vector<std::uint8_t> cr = upsample(planes.cr.get(), planes.chroma_width, planes.chroma_height);
  std::vector<std::uint8_t> ycc(pixels * 3);
  for (std::size_t i = 0; i < pixels; ++i) {
    ycc[i * 3] = planes.y[i];
    ycc[i * 3 + 1] = cb[i];
    ycc[i * 3 + 2] = cr[i];
  }
  const std::size_t stride = dib_stride24(planes.width);
  for (int i = 0; i < planes.height; ++i) {
    std::uint8_t* row = dst + static_cast<std::size_t>(planes.height - 1 - i) * stride;
    for (int x = 0; x < planes.width; ++x) {
      const std::uint8_t* sample = ycc.data() + (static_cast<std::size_t>(i) * static_cast<std::size_t>(planes.width) + static_cast<std::size_t>(x)) * 3;
      const int luma = sample[0] * 65536 + 32768;
      const int u = sample[1] - 128;
      const int v = sample[2] - 128;
      row[x * 3] = clamp_channel((luma + 116130 * u) >> 16);
      row[x * 3 + 1] = clamp_channel((luma - 22554 * u - 46802 * v) >> 16);
      row[x * 3 + 2] = clamp_channel((luma + 91881 * v) >> 16);
    }
  }
}

}  // namespace

bool ReferenceDecoder::decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst) {
  if (jpeg == nullptr || dst == nullptr) return false;
  JpegHeader header;
  if (!parse_jpeg_header(jpeg, size, kPlaceholderDecodeBufferSize, header)) return false;
  YCbCrPlanes planes(header.width, header.height);
  if (!decode_scan(jpeg, size, header, planes)) return false;
  convert(planes, dst);
  width_ = header.width;
  height_ = header.height;
  return true;
}

}  // namespace vcam::camera
