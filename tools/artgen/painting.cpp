#include "tools/artgen/painting.h"

namespace vcam::artgen {

Rgba Paint::At(float y) const {
  if (y1 <= y0) return top;
  return Mix(top, bottom, (y - y0) / (y1 - y0));
}

Paint Solid(const Rgba& colour) { return {colour, colour, 0, 0}; }

Paint VerticalGradient(const Rgba& top, const Rgba& bottom, float y0, float y1) { return {top, bottom, y0, y1}; }

void Fill(Raster& raster, const Shape& shape, const Paint& paint) {
  for (int y = 0; y < raster.height(); ++y) {
    const Rgba colour = paint.At(y + 0.5f);
    for (int x = 0; x < raster.width(); ++x) {
      const float c = Coverage(shape, x, y);
      if (c > 0.0f) raster.Blend(x, y, colour, c);
    }
  }
}

void Cut(Raster& raster, const ShapePtr& shape) {
  for (int y = 0; y < raster.height(); ++y)
    for (int x = 0; x < raster.width(); ++x) raster.Erase(x, y, Coverage(*shape, x, y));
}

}  // namespace vcam::artgen
