#pragma once
// An RGBA picture in floating point with premultiplied alpha, the surface the
// artwork is painted on. Compositing happens in premultiplied form so partial
// coverage of pure white stays pure white once the alpha is divided out, which
// the skin-colour rule needs (it recolours exactly #FFFFFF pixels).
#include <cstdint>
#include <vector>

namespace vcam::artgen {

// A straight (not premultiplied) colour, channels 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with an opacity.
Rgba Hex(std::uint32_t rrggbb, float alpha = 1.0f);
// The colour between a and b at t (0..1), straight channels interpolated.
Rgba Mix(const Rgba& a, const Rgba& b, float t);

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // Source-over of `colour` scaled by `coverage` (0..1); outside: ignored.
  void Blend(int x, int y, const Rgba& colour, float coverage);
  // Source-over of another raster with its top-left at (x, y), scaled by opacity.
  void Draw(const Raster& source, int x, int y, float opacity = 1.0f);
  // Multiplies the alpha (and the premultiplied colour) by 1 - coverage.
  void Erase(int x, int y, float coverage);

  // The pixel in straight form.
  Rgba At(int x, int y) const;
  // A copy of the rectangle [x, x + w) x [y, y + h); parts outside stay transparent.
  Raster Crop(int x, int y, int w, int h) const;
  // Straight 8-bit RGBA, rows top down, rounded to nearest.
  std::vector<unsigned char> ToRgba8() const;

 private:
  float* Pixel(int x, int y) { return &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4]; }
  const float* Pixel(int x, int y) const { return &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_ = 0;
  int height_ = 0;
  std::vector<float> pixels_;  // premultiplied r, g, b, a
};

}  // namespace vcam::artgen
