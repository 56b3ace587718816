#include "tools/artgen/controls_art.h"

#include "tools/artgen/glyphs.h"
#include "tools/artgen/painting.h"

namespace vcam::artgen {

Raster ButtonFace(int width, int height, float radius, const Rgba& fill, const Rgba& border) {
  Raster out(width, height);
  ShapePtr face = RoundRect(0, 0, static_cast<float>(width), static_cast<float>(height), radius);
  Fill(out, face, fill);
  if (border.a > 0) Fill(out, InnerBorder(face, 1.0f), border);
  return out;
}

Raster CheckBoxIcon(bool checked, const Rgba& fill, const Rgba& border) {
  Raster out(16, 16);
  ShapePtr box = RoundRect(1, 1, 15, 15, 3);
  Fill(out, box, fill);
  if (checked) {
    Cut(out, CheckMark(8, 8.3f, 9, 1.9f));
  } else if (border.a > 0) {
    Fill(out, InnerBorder(box, 1.0f), border);
  }
  return out;
}

Raster RadioIcon(bool selected, const Rgba& fill, const Rgba& border) {
  Raster out(16, 16);
  if (selected) {
    Fill(out, Subtract(Circle(8, 8, 7), Circle(8, 8, 5.4f)), fill);
    Fill(out, Circle(8, 8, 3.4f), fill);
  } else {
    ShapePtr disc = Circle(8, 8, 7);
    Fill(out, disc, fill);
    if (border.a > 0) Fill(out, InnerBorder(disc, 1.0f), border);
  }
  return out;
}

Raster CloseButton(int size, float cross, const Rgba& glyph, const Rgba& plate, bool round_plate) {
  Raster out(size, size);
  const float c = size / 2.0f;
  if (plate.a > 0) {
    Fill(out, round_plate ? Circle(c, c, c - 0.5f) : RoundRect(0, 0, static_cast<float>(size), static_cast<float>(size), 4),
         plate);
  }
  Fill(out, Cross(c, c, cross, 1.5f), glyph);
  return out;
}

Raster Bar(int width, int height, const Rgba& top, const Rgba& bottom) {
  Raster out(width, height);
  Fill(out, RoundRect(0, 0, static_cast<float>(width), static_cast<float>(height), height / 2.0f),
       VerticalGradient(top, bottom, 0, static_cast<float>(height)));
  return out;
}

Raster Faded(const Raster& raster, float opacity) {
  Raster out(raster.width(), raster.height());
  out.Draw(raster, 0, 0, opacity);
  return out;
}

}  // namespace vcam::artgen
