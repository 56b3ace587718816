#include "tools/artgen/icon_file.h"

#include <cstdint>
#include <fstream>

namespace vcam::artgen {

namespace {

void Put16(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<unsigned char> IconFileBytes(const Raster& raster) {
  const int w = raster.width(), h = raster.height();
  if (raster.empty() || w > 256 || h > 256) return {};
  // The AND mask has 1 bit a pixel, rows padded to 32 bits.
  const std::uint32_t mask_row = static_cast<std::uint32_t>((w + 31) / 32 * 4);
  const std::uint32_t image_size = 40 + static_cast<std::uint32_t>(w * h * 4) + mask_row * static_cast<std::uint32_t>(h);
  std::vector<unsigned char> out;
  // ICONDIR and its one ICONDIRENTRY (256 is written as 0).
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<unsigned char>(w & 0xFF));
  out.push_back(static_cast<unsigned char>(h & 0xFF));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, image_size);
  Put32(out, 6 + 16);
  // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  // Rows bottom up, BGRA with straight alpha.
  const std::vector<unsigned char> rgba = raster.ToRgba8();
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * w + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  // All zero: the alpha channel decides; readers without alpha show every pixel.
  out.insert(out.end(), static_cast<std::size_t>(mask_row) * h, 0);
  return out;
}

bool WriteIcon(const Raster& raster, const std::filesystem::path& path, std::string* error) {
  const std::vector<unsigned char> bytes = IconFileBytes(raster);
  if (bytes.empty()) {
    if (error) *error = "no icon for an empty or oversized picture: " + path.string();
    return false;
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    if (error) *error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace vcam::artgen
