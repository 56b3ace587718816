#pragma once
// Drawings of controls shared by the launcher's and the uninstaller's skins.
#include <cstdint>

#include "tools/artgen/raster.h"

namespace vcam::artgen {

// A flat rounded button face with an optional 1 px border (border alpha 0: none).
Raster ButtonFace(int width, int height, float radius, const Rgba& fill, const Rgba& border);

// A check box, 16 x 16. Checked boxes are filled with `fill` and have the
// check mark cut out, so the mark shows what lies behind (and a pure white
// box keeps its white-only pixels for the skin rule).
Raster CheckBoxIcon(bool checked, const Rgba& fill, const Rgba& border);
// A radio button, 16 x 16; selected: ring and dot in `fill` with a clear gap.
Raster RadioIcon(bool selected, const Rgba& fill, const Rgba& border);

// A close button: a cross, over a rounded square or circle plate when the
// plate's alpha is non-zero.
Raster CloseButton(int size, float cross, const Rgba& glyph, const Rgba& plate, bool round_plate);

// A pill-shaped bar (progress track or fill).
Raster Bar(int width, int height, const Rgba& top, const Rgba& bottom);

// A copy with every alpha scaled by `opacity` (the colour stays).
Raster Faded(const Raster& raster, float opacity);

}  // namespace vcam::artgen
