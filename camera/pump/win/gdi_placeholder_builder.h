#pragma once
// The placeholder on Windows: the built-in picture decoded, then its band
// stretched to the output size by GDI with COLORONCOLOR.
#include <cstddef>
#include <cstdint>

#include "camera/pump/frame_pump.h"

namespace vcam::camera {

class GdiPlaceholderBuilder : public PlaceholderBuilder {
 public:
  bool build(std::int32_t width, std::int32_t height, std::uint8_t* dst, std::size_t size) override;

  // The stretch alone: `picture` is a 960 x 720 bottom-up BGR24 picture with
  // rows of 2,880 bytes; `dst` receives width x height bottom-up BGR24 rows of
  // dib_stride24(width) bytes, at most `size` bytes.
  static bool stretch(const std::uint8_t* picture, std::int32_t width, std::int32_t height, std::uint8_t* dst,
                      std::size_t size);
};

}  // namespace vcam::camera
