#include "tools/gallery/rgba_picture.h"

#include <stb/stb_image_write.h>

#include <algorithm>

namespace vcam::gallery {
namespace {

void write_bytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

RgbaPicture picture_from_window_pixels(const std::vector<std::uint32_t>& words, std::int32_t width,
                                       std::int32_t height, bool layered) {
  RgbaPicture p;
  if (width <= 0 || height <= 0) return p;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (words.size() < count) return p;
  p.width = width;
  p.height = height;
  p.rgba.resize(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t w = words[i];
    std::uint32_t a = w >> 24, r = (w >> 16) & 0xFF, g = (w >> 8) & 0xFF, b = w & 0xFF;
    if (!layered) {
      a = 255;
    } else if (a == 0) {
      r = g = b = 0;
    } else if (a != 255) {
      // Rounded, and capped where GDI left a colour above its alpha.
      r = std::min<std::uint32_t>(255, (r * 255 + a / 2) / a);
      g = std::min<std::uint32_t>(255, (g * 255 + a / 2) / a);
      b = std::min<std::uint32_t>(255, (b * 255 + a / 2) / a);
    }
    std::uint8_t* out = &p.rgba[i * 4];
    out[0] = static_cast<std::uint8_t>(r);
    out[1] = static_cast<std::uint8_t>(g);
    out[2] = static_cast<std::uint8_t>(b);
    out[3] = static_cast<std::uint8_t>(a);
  }
  return p;
}

void draw_over(RgbaPicture& below, const RgbaPicture& above, std::int32_t x, std::int32_t y) {
  for (std::int32_t ay = 0; ay < above.height; ++ay) {
    const std::int32_t by = y + ay;
    if (by < 0 || by >= below.height) continue;
    for (std::int32_t ax = 0; ax < above.width; ++ax) {
      const std::int32_t bx = x + ax;
      if (bx < 0 || bx >= below.width) continue;
      const std::uint8_t* s = &above.rgba[(static_cast<std::size_t>(ay) * above.width + ax) * 4];
      std::uint8_t* d = &below.rgba[(static_cast<std::size_t>(by) * below.width + bx) * 4];
      // Straight alpha on both sides: out = s*sa + d*da*(1-sa), over out alpha.
      const std::uint32_t sa = s[3], da = d[3];
      const std::uint32_t keep = da * (255 - sa) / 255;
      const std::uint32_t oa = sa + keep;
      for (int c = 0; c < 3; ++c)
        d[c] = oa ? static_cast<std::uint8_t>((s[c] * sa + d[c] * keep + oa / 2) / oa) : 0;
      d[3] = static_cast<std::uint8_t>(oa);
    }
  }
}

std::vector<std::uint8_t> encode_png(const RgbaPicture& picture) {
  std::vector<std::uint8_t> out;
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rgba.size() < static_cast<std::size_t>(picture.width) * picture.height * 4)
    return out;
  if (!stbi_write_png_to_func(&write_bytes, &out, picture.width, picture.height, 4, picture.rgba.data(),
                              picture.width * 4))
    out.clear();
  return out;
}

}  // namespace vcam::gallery
