#include "tools/capture/bgr_picture.h"

#include <cstdlib>

#include <stb/stb_image_write.h>

namespace vcam::capture {

std::vector<std::uint8_t> dib24_to_rgb(const std::uint8_t* bits, std::size_t size, std::int32_t width,
                                       std::int32_t height) {
  if (!bits || width <= 0 || height == 0 || width > 65535 || std::abs(height) > 65535) return {};
  const std::size_t rows = static_cast<std::size_t>(std::abs(height));
  const std::size_t columns = static_cast<std::size_t>(width);
  const std::size_t stride = (columns * 3 + 3) & ~std::size_t{3};
  if (size < stride * rows) return {};
  std::vector<std::uint8_t> rgb(columns * rows * 3);
  for (std::size_t y = 0; y < rows; ++y) {
    const std::size_t source_row = height > 0 ? rows - 1 - y : y;
    const std::uint8_t* in = bits + source_row * stride;
    std::uint8_t* out = rgb.data() + y * columns * 3;
    for (std::size_t x = 0; x < columns; ++x) {
      out[3 * x + 0] = in[3 * x + 2];
      out[3 * x + 1] = in[3 * x + 1];
      out[3 * x + 2] = in[3 * x + 0];
    }
  }
  return rgb;
}

std::vector<std::uint8_t> encode_png_rgb(const std::vector<std::uint8_t>& rgb, std::int32_t width,
                                         std::int32_t height) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    return {};
  std::vector<std::uint8_t> png;
  auto append = [](void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
  };
  if (!stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3)) return {};
  return png;
}

}  // namespace vcam::capture
