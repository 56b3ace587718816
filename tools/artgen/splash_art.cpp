#include "tools/artgen/splash_art.h"

#include "tools/artgen/glyphs.h"
#include "tools/artgen/painting.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/shadow.h"

namespace vcam::artgen {

using namespace palette;

Raster SplashPicture() {
  constexpr float w = kSplashWidth, h = kSplashHeight;
  // The mark's centre: a little above the middle, clear of the status band.
  constexpr float cx = w / 2, cy = 112, side = 84;
  Raster out(kSplashWidth, kSplashHeight);
  Fill(out, RoundRect(0, 0, w, h, 0), VerticalGradient(Hex(0x2C3036), Hex(kNightDeep), 0, h));

  // A soft glow behind the mark and rings spreading from it, like a signal.
  out.Draw(DropShadow(kSplashWidth, kSplashHeight, *Circle(cx, cy, 70), 36, Hex(kAccent, 0.16f)), 0, 0);
  const float rings[][2] = {{74, 0.26f}, {106, 0.17f}, {140, 0.10f}, {176, 0.05f}};
  for (const auto& ring : rings) Fill(out, Outline(Circle(cx, cy, ring[0]), 1.5f), Hex(kAccent, ring[1]));

  // The application mark: a skin-coloured tile with a white camera, lifted by
  // a soft shadow.
  constexpr float x0 = cx - side / 2, y0 = cy - side / 2;
  out.Draw(DropShadow(kSplashWidth, kSplashHeight, *RoundRect(x0, y0 + 6, x0 + side, y0 + side + 6, 22), 9,
                      Hex(0x000000, 0.5f)),
           0, 0);
  ShapePtr tile = RoundRect(x0, y0, x0 + side, y0 + side, 22);
  Fill(out, tile, VerticalGradient(Hex(kAccentLight), Hex(kAccentDark), y0, y0 + side));
  Fill(out, InnerBorder(tile, 1.0f), Hex(kWhite, 0.14f));
  Fill(out, VideoCamera(cx + 1, cy, 46), Hex(kWhite));
  // The live light on the camera.
  Fill(out, Circle(cx - 9, cy - 5, 3.2f), Hex(kDanger));

  // The status band: the launcher writes its status right-aligned in white here.
  Fill(out, RoundRect(0, 233, w, h, 0), Hex(0x000000, 0.30f));
  Fill(out, RoundRect(0, 232, w, 233, 0), Hex(kAccent, 0.45f));
  return out;
}

}  // namespace vcam::artgen
