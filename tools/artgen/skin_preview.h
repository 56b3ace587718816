#pragma once
// Mock-ups of the windows drawn from the generated skin images the way the
// toolkit draws them (nine-slice, skin-colour rule), for reviewing the art
// in place before it reaches a real window.
#include <string_view>

#include "tools/artgen/artwork.h"

namespace vcam::artgen {

// The image stretched into w x h keeping the borders (left, top, right,
// bottom) unscaled; stretched parts sample the nearest source pixel.
Raster NineSlice(const Raster& image, int left, int top, int right, int bottom, int w, int h);

// The skin-colour rule: every pixel whose colour is exactly white (in 8-bit
// terms) takes `to` and keeps its alpha; other pixels are unchanged.
Raster Tinted(const Raster& image, const Rgba& to);

// "mock_progress.png", "mock_alert.png" and "mock_uninstaller.png"; images
// missing from the lists are left out of the pictures.
ArtworkList WindowMockups(const ArtworkList& launcher, const ArtworkList& uninstaller);

}  // namespace vcam::artgen
