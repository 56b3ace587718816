#pragma once
// Row stride of a bottom-up 24-bit DIB, the layout of every picture the camera
// hands on: the decoded placeholder, the pump's output and its samples.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

// width x 3 rounded up to a multiple of 4; 0 for widths of 0 or less.
inline constexpr std::size_t dib_stride24(std::int32_t width) {
  if (width <= 0) return 0;
  return static_cast<std::size_t>(((static_cast<std::uint64_t>(width) * 24 + 31) >> 3) & ~std::uint64_t{3});
}

}  // namespace vcam::camera
