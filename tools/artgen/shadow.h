#pragma once
// Soft drop shadows: the coverage mask of a shape blurred with a Gaussian.
#include <vector>

#include "tools/artgen/raster.h"
#include "tools/artgen/shapes.h"

namespace vcam::artgen {

// Blurs a width x height field of values in place with a separable Gaussian
// of standard deviation sigma (pixels); values beyond the edges count as 0.
void GaussianBlur(std::vector<float>& field, int width, int height, float sigma);

// A width x height raster holding `colour` with the blurred coverage of
// `shape` as its alpha (times the colour's own alpha).
Raster DropShadow(int width, int height, const Shape& shape, float sigma, const Rgba& colour);

}  // namespace vcam::artgen
