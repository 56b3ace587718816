#include "tools/artgen/png_file.h"

#include <stb/stb_image_write.h>

#include <fstream>
#include <vector>

namespace vcam::artgen {
namespace {

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

}  // namespace

bool WritePng(const Raster& raster, const std::filesystem::path& path, std::string* error) {
  if (raster.empty()) {
    if (error) *error = "empty picture for " + path.string();
    return false;
  }
  const std::vector<unsigned char> pixels = raster.ToRgba8();
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(Append, &png, raster.width(), raster.height(), 4, pixels.data(), raster.width() * 4)) {
    if (error) *error = "cannot encode " + path.string();
    return false;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!file) {
    if (error) *error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace vcam::artgen
