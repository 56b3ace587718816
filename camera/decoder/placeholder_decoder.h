#pragma once
// Decoder of the camera's built-in placeholder picture: a small JPEG decoder
// for one narrow subset (baseline, 4:2:0 with 2x2/1x1/1x1 sampling, sizes
// multiples of 16, no restart intervals) that refuses everything else.
#include <cstddef>
#include <cstdint>
#include <span>

namespace vcam::camera {

inline constexpr std::size_t kPlaceholderDecodeBufferSize = 2073600;  // 960 x 720 x 3

class PlaceholderDecoder {
 public:
  // Decodes `jpeg` into `dst` (kPlaceholderDecodeBufferSize bytes): bottom-up BGR24, DIB stride.
  // False on any refusal or error, a failed allocation included (nothing is thrown); dst then
  // keeps what was written before the failure (this decoder writes dst only once the whole
  // picture has decoded, so: nothing).
  // Pictures whose DIB stride x height exceeds the buffer are refused before decoding.
  bool decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst);

  // Width and height of the last successful decode (for the caller's checks), 0 before.
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
};

// The built-in 960 x 720 logo card embedded in the module.
std::span<const std::uint8_t> builtin_placeholder_jpeg();

}  // namespace vcam::camera
