#include "tools/publisher/test_pattern.h"

#include <cstdlib>

namespace vcam::publisher {
namespace {

// 5 x 7 glyphs of the digits, one row a byte, bit 4 leftmost.
constexpr std::uint8_t kGlyphs[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
};
constexpr int kDigitCount = 6;  // the number modulo 10^6, zero-padded

// Regions in 1/1000 of the width and height.
bool inside(std::int64_t v, std::int64_t size, int from_permille, int to_permille) {
  return v * 1000 >= size * from_permille && v * 1000 < size * to_permille;
}

bool on_arrow(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
  // Head: a triangle with its apex at the top, 13.5% to 22% of the height;
  // shaft below it down to 30.5%. All of it stays below the eighth that a
  // 16:9 output crops off the top.
  const std::int64_t top = h * 135 / 1000, head_bottom = h * 220 / 1000, bottom = h * 305 / 1000;
  if (y < top || y >= bottom) return false;
  const std::int64_t dx = std::llabs(2 * x + 1 - w);  // twice the distance from the centre line
  if (y < head_bottom) {
    const std::int64_t half_width_at_base = w * 90 / 1000;
    return dx * (head_bottom - top) <= 2 * half_width_at_base * (y - top);
  }
  return dx <= 2 * (w * 30 / 1000);
}

bool on_digits(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, std::uint32_t number) {
  const std::int64_t left = w * 200 / 1000, right = w * 800 / 1000;
  const std::int64_t top = h * 600 / 1000, bottom = h * 800 / 1000;
  if (x < left || x >= right || y < top || y >= bottom) return false;
  // Each digit cell is 6 columns (5 + gap) by 7 rows of glyph pixels.
  const std::int64_t cell_w = (right - left) / kDigitCount;
  if (cell_w <= 0 || bottom - top <= 0) return false;
  const std::int64_t cell = (x - left) / cell_w;
  if (cell >= kDigitCount) return false;
  const std::int64_t gx = (x - left - cell * cell_w) * 6 / cell_w;
  const std::int64_t gy = (y - top) * 7 / (bottom - top);
  if (gx >= 5) return false;
  std::uint32_t n = number % 1000000;
  for (std::int64_t i = kDigitCount - 1; i > cell; --i) n /= 10;
  return (kGlyphs[n % 10][gy] >> (4 - gx)) & 1;
}

}  // namespace

std::uint32_t pattern_colour_at(std::int32_t width, std::int32_t height, std::uint32_t number,
                                std::int32_t x, std::int32_t y) {
  const std::int64_t w = width, h = height;
  // Corner markers: a sixth of the width, a quarter of the height, so part of
  // each stays visible when a 16:9 output crops an eighth off top and bottom.
  const bool left = inside(x, w, 0, 167), right = inside(x, w, 833, 1000);
  const bool top = inside(y, h, 0, 250), bottom = inside(y, h, 750, 1000);
  if (top && left) return kTopLeftMarker;
  if (top && right) return kTopRightMarker;
  if (bottom && left) return kBottomLeftMarker;
  if (bottom && right) return kBottomRightMarker;
  if (inside(y, h, 320, 560) && inside(x, w, 100, 900)) {
    const std::int64_t bar = (x * 1000 - w * 100) * 8 / (w * 800);
    return kBars[bar < 0 ? 0 : (bar > 7 ? 7 : bar)];
  }
  if (on_arrow(x, y, w, h)) return kArrow;
  if (on_digits(x, y, w, h, number)) return kDigits;
  if (inside(y, h, 810, 865)) {
    // A block a twelfth of the width wide, travelling across the middle
    // two thirds, 4 pixels of a 800-wide picture per frame.
    const std::int64_t travel = w * 2 / 3 - w / 12;
    if (travel > 0) {
      const std::int64_t pos = w / 6 + (static_cast<std::int64_t>(number) * (w / 200 + 1)) % travel;
      if (x >= pos && x < pos + w / 12) return kMovingBlock;
    }
  }
  return kBackground;
}

bool draw_test_pattern(std::uint8_t* pixels, std::size_t size, std::int32_t width, std::int32_t height,
                       std::uint32_t number, bool bottom_up) {
  if (!pixels || width <= 0 || height <= 0) return false;
  const std::uint64_t need = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4;
  if (need > size) return false;
  for (std::int32_t y = 0; y < height; ++y) {
    const std::int32_t row = bottom_up ? height - 1 - y : y;
    std::uint8_t* p = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width) * 4;
    for (std::int32_t x = 0; x < width; ++x, p += 4) {
      const std::uint32_t c = pattern_colour_at(width, height, number, x, y);
      p[0] = c & 0xFF;
      p[1] = (c >> 8) & 0xFF;
      p[2] = (c >> 16) & 0xFF;
      p[3] = 0;
    }
  }
  return true;
}

}  // namespace vcam::publisher
