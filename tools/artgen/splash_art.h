#pragma once
// The launcher's start-up picture, shown behind the status line.
#include "tools/artgen/raster.h"

namespace vcam::artgen {

constexpr int kSplashWidth = 450;
constexpr int kSplashHeight = 260;

// Opaque; the bottom band (y 233 and below) is dark enough for white text.
Raster SplashPicture();

}  // namespace vcam::artgen
