#pragma once
// One overview picture of many images, for reviewing the artwork at a glance.
#include <vector>

#include "tools/artgen/raster.h"

namespace vcam::artgen {

// Cells of cell x cell pixels on a checkerboard (so transparency shows),
// `columns` to a row, each image centred in its cell; an image larger than
// its cell is shrunk by the smallest whole factor that fits (box average), a
// small one enlarged by a whole factor up to 4 (pixels kept sharp).
Raster ContactSheet(const std::vector<const Raster*>& images, int cell, int columns);

// The image enlarged by a whole factor, each pixel a factor x factor block.
Raster Enlarge(const Raster& image, int factor);

// The image shrunk by a whole factor (each output pixel averages factor x
// factor input pixels, premultiplied).
Raster Shrink(const Raster& image, int factor);

}  // namespace vcam::artgen
