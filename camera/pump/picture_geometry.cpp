#include "camera/pump/picture_geometry.h"

namespace vcam::camera {

WorkGeometry work_geometry(std::int32_t out_width, std::int32_t out_height) {
  WorkGeometry g;
  if (out_width <= 0 || out_height <= 0) return g;
  if (static_cast<std::int64_t>(out_width) * 9 != static_cast<std::int64_t>(out_height) * 16) return g;
  g.width = out_width;
  g.height = static_cast<std::int32_t>(static_cast<std::int64_t>(out_width) * 3 / 4);
  const std::size_t stride = dib_stride24(g.width);
  g.size = stride * static_cast<std::size_t>(g.height);
  // Whole rows, so the band starts at a row even when the row difference is odd.
  g.crop_offset = static_cast<std::size_t>((g.height - out_height) / 2) * stride;
  return g;
}

PlaceholderBand placeholder_band(std::int32_t width, std::int32_t height) {
  const std::int64_t h = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const bool wide = h == 1080 || h == 720 || h == 544 || h == 448 || (h == 360 && width != 480);
  if (wide) return {88 * kBuiltinPictureStride, 544};
  return {0, kBuiltinPictureHeight};
}

}  // namespace vcam::camera
