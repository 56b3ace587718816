#pragma once
// Arithmetic of the pump's pictures: DIB strides, the 16:9 work picture and
// the band of the built-in picture that the placeholder is stretched from.
#include <cstddef>
#include <cstdint>

#include "camera/decoder/dib_stride.h"

namespace vcam::camera {

// Exact 16:9 output sizes are scaled through a 4:3 work picture and cropped.
struct WorkGeometry {
  std::int32_t width = 0, height = 0;
  std::size_t size = 0;
  std::size_t crop_offset = 0;  // bytes, a whole number of rows
  bool present() const { return size != 0; }
};
WorkGeometry work_geometry(std::int32_t out_width, std::int32_t out_height);

// The built-in picture as decoded: 960 x 720, bottom-up BGR24.
inline constexpr std::int32_t kBuiltinPictureWidth = 960;
inline constexpr std::int32_t kBuiltinPictureHeight = 720;
inline constexpr std::size_t kBuiltinPictureStride = dib_stride24(kBuiltinPictureWidth);

// Rows of the built-in picture that get stretched, from a byte offset into it.
struct PlaceholderBand {
  std::size_t offset;
  std::int32_t rows;
};
// The middle 544 rows for the wide output sizes, all 720 rows otherwise.
// `height` is taken as a magnitude.
PlaceholderBand placeholder_band(std::int32_t width, std::int32_t height);

}  // namespace vcam::camera
