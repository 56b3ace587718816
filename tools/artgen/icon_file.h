#pragma once
// Writing a raster as a Windows icon file: one image, 32-bit BGRA with its
// AND mask, in the classic bitmap form every icon reader takes.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/raster.h"

namespace vcam::artgen {

// The icon file's bytes; empty for an empty raster or one larger than 256.
std::vector<unsigned char> IconFileBytes(const Raster& raster);

bool WriteIcon(const Raster& raster, const std::filesystem::path& path, std::string* error);

}  // namespace vcam::artgen
