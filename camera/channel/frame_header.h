#pragma once
// Layout of the frame region shared with the companion application: a 24-byte
// header (width, height, 8 bytes the publisher keeps for itself, a 64-bit
// stamp) followed by width x |height| BGRX pixels, rows without padding.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

// The header as it lies in the region. 32- and 64-bit publishers and readers
// share the region, so every field has a fixed width and the stamp is kept as
// two 32-bit halves: a 64-bit member would be aligned to 4 by some 32-bit
// compilers and to 8 by others.
struct FrameHeader {
  std::int32_t width;
  std::int32_t height;
  std::uint8_t publisher_bytes[8];
  std::uint32_t stamp_low;
  std::uint32_t stamp_high;
};

inline constexpr std::size_t kFrameWidthOffset = offsetof(FrameHeader, width);
inline constexpr std::size_t kFrameHeightOffset = offsetof(FrameHeader, height);
inline constexpr std::size_t kFrameStampOffset = offsetof(FrameHeader, stamp_low);
inline constexpr std::size_t kFrameHeaderSize = sizeof(FrameHeader);
inline constexpr std::size_t kFramePixelAreaSize = 1920000;
inline constexpr std::size_t kFrameRegionSize = kFrameHeaderSize + kFramePixelAreaSize;
inline constexpr std::size_t kFrameBytesPerPixel = 4;

static_assert(kFrameWidthOffset == 0 && kFrameHeightOffset == 4, "width and height lead the header");
static_assert(offsetof(FrameHeader, publisher_bytes) == 8, "the publisher's 8 bytes follow");
static_assert(kFrameStampOffset == 16 && offsetof(FrameHeader, stamp_high) == 20, "stamp: low half first");
static_assert(kFrameHeaderSize == 24 && alignof(FrameHeader) == 4, "same header on every bitness");
static_assert(kFrameRegionSize == 1920024);

// Bytes of pixels a header describes, or 0 when it describes no usable
// picture: width 0 (withdrawn), a negative width, height 0, or more pixels
// than the area holds. Computed without overflow for any pair of values.
std::size_t published_picture_bytes(std::int32_t width, std::int32_t height);

}  // namespace vcam::camera
