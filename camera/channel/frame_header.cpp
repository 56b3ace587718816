#include "camera/channel/frame_header.h"

namespace vcam::camera {

std::size_t published_picture_bytes(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height == 0) return 0;
  // 64-bit: |INT32_MIN| and width x |height| x 4 both fit.
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::int64_t bytes = static_cast<std::int64_t>(width) * rows * kFrameBytesPerPixel;
  if (bytes > static_cast<std::int64_t>(kFramePixelAreaSize)) return 0;
  return static_cast<std::size_t>(bytes);
}

}  // namespace vcam::camera
