#pragma once
// Filling shapes into a raster with a solid colour or a vertical gradient,
// and cutting shapes out of it.
#include "tools/artgen/raster.h"
#include "tools/artgen/shapes.h"

namespace vcam::artgen {

// A colour that may change from top to bottom: `top` at y0 and above,
// `bottom` at y1 and below, linear between (pixel centres).
struct Paint {
  Rgba top, bottom;
  float y0 = 0, y1 = 0;
  Rgba At(float y) const;
};

Paint Solid(const Rgba& colour);
Paint VerticalGradient(const Rgba& top, const Rgba& bottom, float y0, float y1);

void Fill(Raster& raster, const Shape& shape, const Paint& paint);
inline void Fill(Raster& raster, const ShapePtr& shape, const Paint& paint) { Fill(raster, *shape, paint); }
inline void Fill(Raster& raster, const ShapePtr& shape, const Rgba& colour) { Fill(raster, *shape, Solid(colour)); }
// Makes the shape's pixels transparent in proportion to their coverage.
void Cut(Raster& raster, const ShapePtr& shape);

}  // namespace vcam::artgen
