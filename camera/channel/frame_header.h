#pragma once
// Layout of the frame region shared with the companion application: a 24-byte
// header (width, height, 8 bytes the publisher keeps for itself, a 64-bit
// stamp) followed by width x |height| BGRX pixels, rows without padding.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

inline constexpr std::size_t kFrameWidthOffset = 0;
inline constexpr std::size_t kFrameHeightOffset = 4;
inline constexpr std::size_t kFrameStampOffset = 16;
inline constexpr std::size_t kFrameHeaderSize = 24;
inline constexpr std::size_t kFramePixelAreaSize = 1920000;
inline constexpr std::size_t kFrameRegionSize = kFrameHeaderSize + kFramePixelAreaSize;
inline constexpr std::size_t kFrameBytesPerPixel = 4;

// Bytes of pixels a header describes, or 0 when it describes no usable
// picture: width 0 (withdrawn), a negative width, height 0, or more pixels
// than the area holds. Computed without overflow for any pair of values.
std::size_t published_picture_bytes(std::int32_t width, std::int32_t height);

}  // namespace vcam::camera
