#include "camera/decoder/placeholder_decoder.h"

namespace vcam::camera {

bool PlaceholderDecoder::decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst) {
  if (!jpeg || size < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 || !dst) return false;
  // A grey gradient with a light block in the middle band, bottom-up BGR24.
  for (int row = 0; row < 720; ++row) {
    const int y = 719 - row;
    for (int x = 0; x < 960; ++x) {
      std::uint8_t* p = dst + static_cast<std::size_t>(row) * 2880 + x * 3;
      const bool logo = x >= 330 && x < 630 && y >= 260 && y < 460;
      const auto v = static_cast<std::uint8_t>(logo ? 220 : 30 + y / 24);
      p[0] = v, p[1] = v, p[2] = logo ? 240 : v;
    }
  }
  width_ = 960;
  height_ = 720;
  return true;
}

std::span<const std::uint8_t> builtin_placeholder_jpeg() {
  static const std::uint8_t kStart[] = {0xFF, 0xD8, 0xFF, 0xD9};
  return kStart;
}

}  // namespace vcam::camera
