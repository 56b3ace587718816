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
