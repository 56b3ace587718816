#pragma once
// Chroma upsampling and BT.601 colour conversion of decoded planes into a
// bottom-up 24-bit BGR picture, one output row at a time (no full-size
// intermediate pictures).
#include <cstdint>

#include "camera/decoder/ycbcr_planes.h"

namespace vcam::camera {

// `dst` holds DIB stride x height bytes.
void convert_to_bottom_up_bgr(const YCbCrPlanes& planes, std::uint8_t* dst);

}  // namespace vcam::camera
