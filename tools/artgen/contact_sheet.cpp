#include "tools/artgen/contact_sheet.h"

#include <algorithm>

#include "tools/artgen/painting.h"

namespace vcam::artgen {

Raster Shrink(const Raster& image, int factor) {
  if (factor <= 1) return image.Crop(0, 0, image.width(), image.height());
  Raster out(std::max(1, image.width() / factor), std::max(1, image.height() / factor));
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      float r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < factor; ++sy)
        for (int sx = 0; sx < factor; ++sx) {
          const Rgba p = image.At(x * factor + sx, y * factor + sy);
          r += p.r * p.a, g += p.g * p.a, b += p.b * p.a, a += p.a;
        }
      if (a <= 0) continue;
      out.Blend(x, y, {r / a, g / a, b / a, a / (factor * factor)}, 1.0f);
    }
  }
  return out;
}

Raster Enlarge(const Raster& image, int factor) {
  if (factor <= 1) return image.Crop(0, 0, image.width(), image.height());
  Raster out(image.width() * factor, image.height() * factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.Blend(x, y, image.At(x / factor, y / factor), 1.0f);
  return out;
}

Raster ContactSheet(const std::vector<const Raster*>& images, int cell, int columns) {
  if (images.empty() || cell <= 0 || columns <= 0) return {};
  const int rows = (static_cast<int>(images.size()) + columns - 1) / columns;
  constexpr int kGap = 6;
  Raster sheet(columns * (cell + kGap) + kGap, rows * (cell + kGap) + kGap);
  Fill(sheet, RoundRect(0, 0, static_cast<float>(sheet.width()), static_cast<float>(sheet.height()), 0), Hex(0x5A5A5A));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int left = kGap + static_cast<int>(i) % columns * (cell + kGap);
    const int top = kGap + static_cast<int>(i) / columns * (cell + kGap);
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) sheet.Blend(left + x, top + y, Hex((x / 8 + y / 8) % 2 ? 0xB4B4B4 : 0xC8C8C8), 1.0f);
    const Raster& image = *images[i];
    int factor = 1;
    while (image.width() / factor > cell || image.height() / factor > cell) ++factor;
    int zoom = 1;
    while (zoom < 4 && image.width() * (zoom + 1) <= cell && image.height() * (zoom + 1) <= cell) ++zoom;
    const Raster shown = factor > 1 ? Shrink(image, factor) : Enlarge(image, zoom);
    sheet.Draw(shown, left + (cell - shown.width()) / 2, top + (cell - shown.height()) / 2);
  }
  return sheet;
}

}  // namespace vcam::artgen
