#pragma once
// Pictures of windows: a window's 32-bit pixels (words A<<24|R<<16|G<<8|B,
// top-down) as straight-alpha RGBA, and PNG files of them.
#include <cstdint>
#include <string>
#include <vector>

namespace vcam::gallery {

struct RgbaPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes, top-down
};

// `layered`: the pixels are premultiplied with meaningful alpha (they are
// un-premultiplied); otherwise GDI leaves alpha undefined and every pixel is
// opaque. Empty picture when `words` is smaller than width * height.
RgbaPicture picture_from_window_pixels(const std::vector<std::uint32_t>& words, std::int32_t width,
                                       std::int32_t height, bool layered);

// Draws `above` over `below` with its top-left at (x, y), blending by
// alpha; the parts outside `below` are cut off.
void draw_over(RgbaPicture& below, const RgbaPicture& above, std::int32_t x, std::int32_t y);

// PNG file contents; empty on failure.
std::vector<std::uint8_t> encode_png(const RgbaPicture& picture);

}  // namespace vcam::gallery
