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

// The background under a contact sheet's pictures: opaque light grey, and a
// checkerboard of 8-pixel squares where a picture is transparent.
constexpr std::uint8_t kSheet = 0xEE;
std::uint8_t checker(std::int32_t x, std::int32_t y) { return ((x / 8 + y / 8) % 2) ? 0xFF : 0xCC; }

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

RgbaPicture contact_sheet(const std::vector<RgbaPicture>& pictures, std::int32_t max_width, std::int32_t gap) {
  // Place the pictures in rows first.
  struct Spot {
    std::int32_t x, y;
  };
  std::vector<Spot> spots;
  std::int32_t x = gap, y = gap, row_height = 0, width = 0;
  for (const RgbaPicture& p : pictures) {
    if (x > gap && x + p.width + gap > max_width) {
      x = gap;
      y += row_height + gap;
      row_height = 0;
    }
    spots.push_back({x, y});
    x += p.width + gap;
    width = std::max(width, x);
    row_height = std::max(row_height, p.height);
  }
  RgbaPicture sheet;
  sheet.width = std::max(width, 2 * gap + 1);
  sheet.height = y + row_height + gap;
  sheet.rgba.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 4, kSheet);
  for (std::size_t i = 3; i < sheet.rgba.size(); i += 4) sheet.rgba[i] = 0xFF;

  for (std::size_t n = 0; n < pictures.size(); ++n) {
    const RgbaPicture& p = pictures[n];
    for (std::int32_t py = 0; py < p.height; ++py) {
      for (std::int32_t px = 0; px < p.width; ++px) {
        const std::uint8_t* s = &p.rgba[(static_cast<std::size_t>(py) * p.width + px) * 4];
        std::uint8_t* d =
            &sheet.rgba[(static_cast<std::size_t>(spots[n].y + py) * sheet.width + spots[n].x + px) * 4];
        const std::uint32_t a = s[3], under = checker(px, py);
        for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * a + under * (255 - a) + 127) / 255);
        d[3] = 0xFF;
      }
    }
  }
  return sheet;
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
