#include "tools/artgen/raster.h"

#include <algorithm>
#include <cmath>

namespace vcam::artgen {

Rgba Hex(std::uint32_t rrggbb, float alpha) {
  return {((rrggbb >> 16) & 0xFF) / 255.0f, ((rrggbb >> 8) & 0xFF) / 255.0f, (rrggbb & 0xFF) / 255.0f, alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Raster::Raster(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_ * 4, 0.0f) {}

void Raster::Blend(int x, int y, const Rgba& colour, float coverage) {
  if (!Inside(x, y)) return;
  const float a = std::clamp(colour.a * coverage, 0.0f, 1.0f);
  if (a <= 0.0f) return;
  float* p = Pixel(x, y);
  const float keep = 1.0f - a;
  p[0] = colour.r * a + p[0] * keep;
  p[1] = colour.g * a + p[1] * keep;
  p[2] = colour.b * a + p[2] * keep;
  p[3] = a + p[3] * keep;
}

void Raster::Draw(const Raster& source, int x, int y, float opacity) {
  for (int sy = 0; sy < source.height_; ++sy) {
    for (int sx = 0; sx < source.width_; ++sx) {
      if (!Inside(x + sx, y + sy)) continue;
      const float* s = source.Pixel(sx, sy);
      const float a = s[3] * opacity;
      if (a <= 0.0f) continue;
      float* p = Pixel(x + sx, y + sy);
      const float keep = 1.0f - a;
      for (int c = 0; c < 3; ++c) p[c] = s[c] * opacity + p[c] * keep;
      p[3] = a + p[3] * keep;
    }
  }
}

void Raster::Erase(int x, int y, float coverage) {
  if (!Inside(x, y)) return;
  const float keep = 1.0f - std::clamp(coverage, 0.0f, 1.0f);
  float* p = Pixel(x, y);
  for (int c = 0; c < 4; ++c) p[c] *= keep;
}

Rgba Raster::At(int x, int y) const {
  if (!Inside(x, y)) return {};
  const float* p = Pixel(x, y);
  if (p[3] <= 0.0f) return {};
  return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

Raster Raster::Crop(int x, int y, int w, int h) const {
  Raster out(w, h);
  for (int oy = 0; oy < out.height_; ++oy)
    for (int ox = 0; ox < out.width_; ++ox)
      if (Inside(x + ox, y + oy)) std::copy_n(Pixel(x + ox, y + oy), 4, out.Pixel(ox, oy));
  return out;
}

std::vector<unsigned char> Raster::ToRgba8() const {
  std::vector<unsigned char> out(static_cast<std::size_t>(width_) * height_ * 4, 0);
  auto byte = [](float v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      unsigned char* o = &out[(static_cast<std::size_t>(y) * width_ + x) * 4];
      const unsigned char alpha = byte(Pixel(x, y)[3]);
      if (alpha == 0) continue;  // fully transparent pixels are written as 0,0,0,0
      const Rgba c = At(x, y);
      o[0] = byte(c.r);
      o[1] = byte(c.g);
      o[2] = byte(c.b);
      o[3] = alpha;
    }
  }
  return out;
}

}  // namespace vcam::artgen
