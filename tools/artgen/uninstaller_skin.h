#pragma once
// The uninstaller's skin images. Its window is 645 x 400: two pages of 645 x
// 320 above an 80-pixel button bar, and a shadow companion.
#include "tools/artgen/artwork.h"

namespace vcam::artgen {

// The uninstaller has no skin-colour rule, so its accent pixels are coloured
// here. Besides the single-state images its button and check-box styles
// name, it holds state strips: "button_ex.png" (4 states stacked: up, over,
// pressed, disabled) and "checkbox_ex.png" (8 states: the same four
// unchecked, then checked).
ArtworkList UninstallerSkinImages();

// The program's 32 x 32 icon: the product's camera mark on a rounded tile
// of the skin colour.
Raster UninstallerIcon();

}  // namespace vcam::artgen
