#include "camera/decoder/bgr_converter.h"

#include <array>
#include <cstddef>
#include <vector>

#include "camera/decoder/dib_stride.h"

namespace vcam::camera {
namespace {

// 16.16 fixed-point terms of the conversion. Y * 65536 is a whole multiple of
// 2^16, so (Y * 65536 + 32768 + t) >> 16 equals Y + ((32768 + t) >> 16): blue
// and red need one table each; green adds its two chroma terms before the shift.
struct ColourTables {
  std::array<std::int32_t, 256> blue{};
  std::array<std::int32_t, 256> red{};
  std::array<std::int32_t, 256> green_cb{};
  std::array<std::int32_t, 256> green_cr{};
  // 0..255 clamp of v at [v + kClampOffset]; Y plus any term lies in -227..481.
  std::array<std::uint8_t, 768> clamp{};
};

constexpr int kClampOffset = 256;

constexpr ColourTables make_colour_tables() {
  ColourTables t;
  for (int c = 0; c < 256; ++c) {
    const int d = c - 128;
    t.blue[static_cast<std::size_t>(c)] = (32768 + 116130 * d) >> 16;
    t.red[static_cast<std::size_t>(c)] = (32768 + 91881 * d) >> 16;
    t.green_cb[static_cast<std::size_t>(c)] = -22554 * d;
    t.green_cr[static_cast<std::size_t>(c)] = 32768 - 46802 * d;
  }
  for (int i = 0; i < 768; ++i) {
    const int v = i - kClampOffset;
    t.clamp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  }
  return t;
}

constexpr ColourTables kColour = make_colour_tables();

constexpr bool clamp_covers_every_sum() {
  for (int c = 0; c < 256; ++c) {
    const auto i = static_cast<std::size_t>(c);
    for (int term : {kColour.blue[i], kColour.red[i]}) {
      if (term + kClampOffset < 0 || 255 + term + kClampOffset >= 768) return false;
    }
    for (int d = 0; d < 256; ++d) {
      const int green = (kColour.green_cb[i] + kColour.green_cr[static_cast<std::size_t>(d)]) >> 16;
      if (green + kClampOffset < 0 || 255 + green + kClampOffset >= 768) return false;
    }
  }
  return true;
}
static_assert(clamp_covers_every_sum());

// One full-width chroma row for output row j: vertical 3:1 blend of the
// nearer and farther chroma rows, then horizontal 3:1 blends.
void upsample_row(const std::uint8_t* chroma, int columns, int rows, int j, std::int32_t* sums,
                  std::uint8_t* out) {
  const int height = rows * 2;
  const int near_row = j / 2;
  int far_row = j % 2 == 0 ? near_row - 1 : near_row + 1;
  if (j == 0 || j == height - 1) far_row = near_row;
  const std::uint8_t* near_line = chroma + static_cast<std::size_t>(near_row) * static_cast<std::size_t>(columns);
  const std::uint8_t* far_line = chroma + static_cast<std::size_t>(far_row) * static_cast<std::size_t>(columns);
  for (int k = 0; k < columns; ++k) sums[k] = 3 * near_line[k] + far_line[k];
  out[0] = static_cast<std::uint8_t>((sums[0] + 2) >> 2);
  out[2 * columns - 1] = static_cast<std::uint8_t>((sums[columns - 1] + 2) >> 2);
  for (int k = 0; k + 1 < columns; ++k) {
    const std::int32_t here = sums[k];
    const std::int32_t next = sums[k + 1];
    out[2 * k + 1] = static_cast<std::uint8_t>((3 * here + next + 8) >> 4);
    out[2 * k + 2] = static_cast<std::uint8_t>((here + 3 * next + 8) >> 4);
  }
}

}  // namespace

void convert_to_bottom_up_bgr(const YCbCrPlanes& planes, std::uint8_t* dst) {
  const int width = planes.width;
  const std::size_t stride = dib_stride24(width);
  std::vector<std::int32_t> sums(static_cast<std::size_t>(planes.chroma_width));
  std::vector<std::uint8_t> cb(static_cast<std::size_t>(width));
  std::vector<std::uint8_t> cr(static_cast<std::size_t>(width));
  const std::uint8_t* clamp = kColour.clamp.data() + kClampOffset;
  for (int j = 0; j < planes.height; ++j) {
    upsample_row(planes.cb.get(), planes.chroma_width, planes.chroma_height, j, sums.data(), cb.data());
    upsample_row(planes.cr.get(), planes.chroma_width, planes.chroma_height, j, sums.data(), cr.data());
    const std::uint8_t* luma = planes.y.get() + static_cast<std::size_t>(j) * static_cast<std::size_t>(width);
    std::uint8_t* out = dst + static_cast<std::size_t>(planes.height - 1 - j) * stride;
    for (int x = 0; x < width; ++x) {
      const std::int32_t y = luma[x];
      const std::uint8_t u = cb[static_cast<std::size_t>(x)];
      const std::uint8_t v = cr[static_cast<std::size_t>(x)];
      out[0] = clamp[y + kColour.blue[u]];
      out[1] = clamp[y + ((kColour.green_cb[u] + kColour.green_cr[v]) >> 16)];
      out[2] = clamp[y + kColour.red[v]];
      out += 3;
    }
  }
}

}  // namespace vcam::camera
