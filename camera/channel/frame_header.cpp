#include "camera/channel/frame_header.h"

namespace vcam::camera {

std::size_t published_picture_bytes(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height == 0) return 0;
  constexpr std::int64_t kMaxPixels = kFramePixelAreaSize / kFrameBytesPerPixel;
  // 64-bit, and each side bounded first, so neither |INT32_MIN| nor the product overflows.
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  if (width > kMaxPixels || rows > kMaxPixels || width * rows > kMaxPixels) return 0;
  return static_cast<std::size_t>(width * rows) * kFrameBytesPerPixel;
}

}  // namespace vcam::camera
