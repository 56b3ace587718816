#pragma once
// Turns a captured 24-bit DIB (B, G, R; rows padded to 4 bytes; bottom-up
// for a positive height, top-down for a negative one) into PNG bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcam::capture {

// Top-down packed RGB, or empty when `size` is too small for the picture.
std::vector<std::uint8_t> dib24_to_rgb(const std::uint8_t* bits, std::size_t size, std::int32_t width,
                                       std::int32_t height);

// PNG file contents for top-down packed RGB; empty on failure.
std::vector<std::uint8_t> encode_png_rgb(const std::vector<std::uint8_t>& rgb, std::int32_t width,
                                         std::int32_t height);

}  // namespace vcam::capture
