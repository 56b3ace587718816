#pragma once
// Temporary stand-in with the interface of the placeholder decoder, used only
// until the decoder library is part of the build. It paints a synthetic card
// instead of decoding.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vcam::camera {

inline constexpr std::size_t kPlaceholderDecodeBufferSize = 2073600;  // 960 x 720 x 3

class PlaceholderDecoder {
 public:
  bool decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst);
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
};

std::span<const std::uint8_t> builtin_placeholder_jpeg();

}  // namespace vcam::camera
