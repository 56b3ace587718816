#include "tools/gallery/win/picture_file.h"

#include <cstdio>
#include <memory>

#include "common/win/wide.h"

namespace vcam::gallery {

bool write_picture(const std::u16string& path, const RgbaPicture& picture) {
  const std::vector<std::uint8_t> png = encode_png(picture);
  if (png.empty()) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(::_wfopen(wide(path), L"wb"), &std::fclose);
  if (!file) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file.get()) == png.size();
  return std::fflush(file.get()) == 0 && written;
}

}  // namespace vcam::gallery
