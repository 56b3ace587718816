#pragma once
// Premultiplied "source over" blending of 32-bit pixels in memory: what
// AlphaBlend with a per-pixel alpha does, for when no such function exists.
#include <cstddef>
#include <cstdint>

#include "dui/core/geometry.h"

namespace vcam::dui {

// Pixel rows in memory; `stride` is the distance between rows in pixels and
// is negative for a bottom-up bitmap whose `first_row` is its last row in memory.
struct PixelRows {
  std::uint32_t* first_row = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::ptrdiff_t stride = 0;

  std::uint32_t* row(std::int32_t y) const { return first_row + static_cast<std::ptrdiff_t>(y) * stride; }
};

// One destination pixel d under a premultiplied source pixel s: each byte
// becomes s + d * (255 - alpha(s)) / 255, at most 255.
std::uint32_t BlendPixel(std::uint32_t dst, std::uint32_t src);

// Blends the `src` part of `source` over the `dst` part of `target`,
// stretched by nearest neighbour. Only target pixels inside `clip` and inside
// the target are touched; source pixels are read only inside the source.
void BlendPremultiplied(const PixelRows& target, const Rect& dst, const PixelRows& source, const Rect& src,
                        const Rect& clip);

}  // namespace vcam::dui
