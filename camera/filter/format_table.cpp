#include "camera/filter/format_table.h"

#include "camera/pump/picture_geometry.h"

namespace vcam::camera {

VideoTypeFigures video_type_figures(FrameSize size, std::int32_t rate) {
  const auto sample_size =
      static_cast<std::uint32_t>(dib_stride24(size.width) * static_cast<std::size_t>(size.height));
  return VideoTypeFigures{size.width, size.height, sample_size, sample_size * 240, 10'000'000 / rate};
}

CapabilityFigures capability_figures(FrameSize size, std::int32_t rate) {
  const std::int32_t pixels = size.width * size.height;
  return CapabilityFigures{size, 1, 333'333, 10'000'000 / rate, pixels * rate * 24, pixels * 720};
}

std::optional<int> find_format(std::int32_t width, std::int32_t height) {
  for (int i = 0; i < kFormatCount; ++i)
    if (kFormatTable[static_cast<size_t>(i)] == FrameSize{width, height}) return i;
  return std::nullopt;
}

}  // namespace vcam::camera
