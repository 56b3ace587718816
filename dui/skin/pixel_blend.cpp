#include "dui/skin/pixel_blend.h"

#include <algorithm>

namespace vcam::dui {

std::uint32_t BlendPixel(std::uint32_t dst, std::uint32_t src) {
  const std::uint32_t keep = 255 - (src >> 24);
  if (keep == 0) return src;
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t c = ((src >> shift) & 0xFF) + ((dst >> shift) & 0xFF) * keep / 255;
    out |= std::min<std::uint32_t>(c, 255) << shift;
  }
  return out;
}

void BlendPremultiplied(const PixelRows& target, const Rect& dst, const PixelRows& source, const Rect& src,
                        const Rect& clip) {
  if (dst.empty() || src.empty()) return;
  // The source part must lie inside the source; a part outside it draws nothing.
  if (src.left < 0 || src.top < 0 || src.right > source.width || src.bottom > source.height) return;
  const Rect area = dst.intersect(clip).intersect({0, 0, target.width, target.height});
  if (area.empty()) return;
  const std::int64_t dw = dst.width(), dh = dst.height(), sw = src.width(), sh = src.height();
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    const auto sy = static_cast<std::int32_t>(src.top + (y - dst.top) * sh / dh);
    const std::uint32_t* in = source.row(sy);
    std::uint32_t* out = target.row(y);
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const auto sx = static_cast<std::int32_t>(src.left + (x - dst.left) * sw / dw);
      out[x] = BlendPixel(out[x], in[sx]);
    }
  }
}

}  // namespace vcam::dui
