#pragma once
// A generated picture and the file name it ships under.
#include <string>
#include <vector>

#include "tools/artgen/raster.h"

namespace vcam::artgen {

struct Artwork {
  std::string name;
  Raster image;
};

using ArtworkList = std::vector<Artwork>;

}  // namespace vcam::artgen
