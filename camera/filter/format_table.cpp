#include "camera/filter/format_table.h"

namespace vcam::camera {

std::uint32_t dib_stride24(std::int32_t width) {
  const auto w = static_cast<std::uint32_t>(width);
  return ((w * 24 + 31) >> 3) & ~3u;
}

VideoTypeFigures video_type_figures(FrameSize size, std::int32_t rate) {
  const std::uint32_t sample_size = dib_stride24(size.width) * static_cast<std::uint32_t>(size.height);
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
