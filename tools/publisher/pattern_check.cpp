#include "tools/publisher/pattern_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/publisher/test_pattern.h"

namespace vcam::publisher {
namespace {

std::size_t stride24(std::int32_t w) { return (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3}; }

// The pixel at (x, y), y counted from the top, of a bottom-up BGR24 picture, as 0x00RRGGBB.
std::uint32_t pixel_at(const std::uint8_t* out, std::int32_t w, std::int32_t h, std::int32_t x, std::int32_t y) {
  const std::uint8_t* p = out + static_cast<std::size_t>(h - 1 - y) * stride24(w) + static_cast<std::size_t>(x) * 3;
  return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

bool close_to(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

void note(PatternCheck& c, std::int32_t x, std::int32_t y, std::uint32_t want, std::uint32_t got) {
  ++c.mismatched;
  if (c.mismatched <= 5) {
    char line[96];
    std::snprintf(line, sizeof line, "(%d,%d) want %06X got %06X; ", x, y, want, got);
    c.report += line;
  }
}

}  // namespace

PatternCheck check_pattern_picture(const std::uint8_t* out, std::int32_t out_width, std::int32_t out_height,
                                   std::int32_t source_width, std::int32_t source_height,
                                   std::uint32_t number, double visible_top, double visible_bottom,
                                   int tolerance) {
  PatternCheck c;
  if (!out || out_width <= 0 || out_height <= 0 || source_width <= 0 || source_height <= 0) return c;
  const double src_top = visible_top * source_height;
  const double src_rows = (visible_bottom - visible_top) * source_height;
  const double sx_scale = static_cast<double>(source_width) / out_width;
  const double sy_scale = src_rows / out_height;
  // Fast bilinear filtering reaches a source pixel on either side; the
  // scaler's RGB output shares chroma between pairs of pixels, which reaches
  // about two output pixels further sideways.
  const int rx = static_cast<int>(std::ceil(3 * sx_scale)) + 2;
  const int ry = static_cast<int>(std::ceil(sy_scale)) + 2;
  const std::int32_t step_x = std::max(1, out_width / 48), step_y = std::max(1, out_height / 36);
  for (std::int32_t oy = step_y / 2; oy < out_height; oy += step_y) {
    for (std::int32_t ox = step_x / 2; ox < out_width; ox += step_x) {
      const auto sx = static_cast<std::int32_t>(std::lround((ox + 0.5) * sx_scale - 0.5));
      const auto sy = static_cast<std::int32_t>(std::lround(src_top + (oy + 0.5) * sy_scale - 0.5));
      if (sx - rx < 0 || sy - ry < 0 || sx + rx >= source_width || sy + ry >= source_height) continue;
      const std::uint32_t want = pattern_colour_at(source_width, source_height, number, sx, sy);
      bool uniform = true;
      for (std::int32_t y = sy - ry; uniform && y <= sy + ry; ++y)
        for (std::int32_t x = sx - rx; uniform && x <= sx + rx; ++x)
          uniform = pattern_colour_at(source_width, source_height, number, x, y) == want;
      if (!uniform) continue;
      ++c.checked;
      const std::uint32_t got = pixel_at(out, out_width, out_height, ox, oy);
      if (!close_to(got, want, tolerance)) note(c, ox, oy, want, got);
    }
  }
  return c;
}

PatternCheck check_pattern_corners(const std::uint8_t* out, std::int32_t out_width, std::int32_t out_height,
                                   double visible_top, double visible_bottom, int tolerance) {
  PatternCheck c;
  if (!out || out_width <= 0 || out_height <= 0) return c;
  // Vertically halfway between the first visible row and the marker's inner
  // edge (a quarter of the height in), horizontally a third of the way in.
  const double visible = visible_bottom - visible_top;
  const double top_fraction = ((visible_top + 0.25) / 2 - visible_top) / visible;
  const double bottom_fraction = ((visible_bottom + 0.75) / 2 - visible_top) / visible;
  const struct {
    double fx, fy;
    std::uint32_t colour;
  } corners[] = {{0.055, top_fraction, kTopLeftMarker},
                 {0.945, top_fraction, kTopRightMarker},
                 {0.055, bottom_fraction, kBottomLeftMarker},
                 {0.945, bottom_fraction, kBottomRightMarker}};
  for (const auto& k : corners) {
    const auto x = static_cast<std::int32_t>(k.fx * out_width);
    const auto y = static_cast<std::int32_t>(k.fy * out_height);
    ++c.checked;
    const std::uint32_t got = pixel_at(out, out_width, out_height, x, y);
    if (!close_to(got, k.colour, tolerance)) note(c, x, y, k.colour, got);
  }
  return c;
}

}  // namespace vcam::publisher
