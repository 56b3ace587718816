#include "tools/artgen/shadow.h"

#include <cmath>

namespace vcam::artgen {
namespace {

std::vector<float> Kernel(float sigma) {
  const int radius = static_cast<int>(std::ceil(sigma * 3.0f));
  std::vector<float> kernel(2 * radius + 1);
  float sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += kernel[i + radius] = std::exp(-(i * i) / (2 * sigma * sigma));
  for (float& k : kernel) k /= sum;
  return kernel;
}

}  // namespace

void GaussianBlur(std::vector<float>& field, int width, int height, float sigma) {
  if (sigma <= 0.0f || width <= 0 || height <= 0) return;
  const std::vector<float> kernel = Kernel(sigma);
  const int radius = static_cast<int>(kernel.size() / 2);
  std::vector<float> pass(field.size(), 0.0f);
  // 1. rows into `pass`; 2. columns back into `field`.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float v = 0;
      for (int k = -radius; k <= radius; ++k)
        if (x + k >= 0 && x + k < width) v += field[y * width + x + k] * kernel[k + radius];
      pass[y * width + x] = v;
    }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float v = 0;
      for (int k = -radius; k <= radius; ++k)
        if (y + k >= 0 && y + k < height) v += pass[(y + k) * width + x] * kernel[k + radius];
      field[y * width + x] = v;
    }
}

Raster DropShadow(int width, int height, const Shape& shape, float sigma, const Rgba& colour) {
  Raster out(width, height);
  std::vector<float> mask(static_cast<std::size_t>(out.width()) * out.height());
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) mask[y * out.width() + x] = Coverage(shape, x, y);
  GaussianBlur(mask, out.width(), out.height(), sigma);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.Blend(x, y, colour, mask[y * out.width() + x]);
  return out;
}

}  // namespace vcam::artgen
