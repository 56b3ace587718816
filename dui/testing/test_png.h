#pragma once
// PNG files made in memory for the tests of image decoding and drawing.
#include <cstdint>
#include <string>
#include <vector>

namespace vcam::dui::testing {

// RGBA bytes, four per pixel, rows top to bottom.
struct Rgba {
  std::uint8_t r, g, b, a;
};

std::string EncodePng(std::int32_t width, std::int32_t height, const std::vector<Rgba>& pixels);
// Every pixel the same.
std::string SolidPng(std::int32_t width, std::int32_t height, Rgba colour);

}  // namespace vcam::dui::testing
