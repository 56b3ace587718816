#pragma once
// The launcher's skin images: the picture files of "style_pro.zeloz".
#include "tools/artgen/artwork.h"

namespace vcam::artgen {

// Images meant to take the skin colour are pure white with alpha: the skin
// rule recolours exactly the #FFFFFF pixels and keeps their alpha.
ArtworkList LauncherSkinImages();

}  // namespace vcam::artgen
