#include "dui/testing/test_png.h"

#include <stb/stb_image_write.h>

namespace vcam::dui::testing {

std::string EncodePng(std::int32_t width, std::int32_t height, const std::vector<Rgba>& pixels) {
  std::string png;
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
  };
  stbi_write_png_to_func(append, &png, width, height, 4, pixels.data(), width * 4);
  return png;
}

std::string SolidPng(std::int32_t width, std::int32_t height, Rgba colour) {
  return EncodePng(width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, colour));
}

}  // namespace vcam::dui::testing
