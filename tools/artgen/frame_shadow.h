#pragma once
// The drop shadow painted by a window's shadow companion: a nine-slice image
// whose inner rectangle is the window itself (left transparent) and whose
// borders hold the shadow's corners.
#include "tools/artgen/raster.h"

namespace vcam::artgen {

struct FrameShadowParams {
  // Where the window sits inside the companion: its distance from each edge.
  int margin_left = 0, margin_top = 0, margin_right = 0, margin_bottom = 0;
  // The image's nine-slice borders; each at least its margin.
  int grid_left = 0, grid_top = 0, grid_right = 0, grid_bottom = 0;
  float sigma = 5.0f;       // falloff of the key shadow (Gaussian, pixels)
  float offset_y = 3.0f;    // the key shadow falls this far down
  float opacity = 0.22f;    // of the key shadow
  float corner_radius = 0;  // of the window
};

// The image, or an empty raster when a border is narrower than its margin.
// The shadow is separable: its strength is a falloff across the nearest
// vertical edge times one across the nearest horizontal edge, each 1 over the
// window's own extent. Every column and row level with the window is then the
// same, so stretching the edges of the nine-slice leaves no seam however
// narrow the borders beyond the margins (a blurred rectangle would still be
// fading at its corners there).
Raster FrameShadow(const FrameShadowParams& params);

// The drop shadow both programs put around their dialogs: margins 20, 14, 16
// and 21 outside the window, drawn with a 24-pixel nine-slice grid.
FrameShadowParams DialogShadow();

}  // namespace vcam::artgen
