#pragma once
// Writing rasters as PNG files (RGBA, straight alpha).
#include <filesystem>
#include <string>

#include "tools/artgen/raster.h"

namespace vcam::artgen {

bool WritePng(const Raster& raster, const std::filesystem::path& path, std::string* error);

}  // namespace vcam::artgen
