#pragma once
// The placeholder decoder's algorithm written plainly: bit-by-bit reading,
// Huffman tree walks, full-size chroma planes, an interleaved Y/Cb/Cr picture,
// then the colour conversion. Slow; it exists so that tests and the fuzzer can
// prove the fast PlaceholderDecoder gives the same bytes and the same refusals.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

class ReferenceDecoder {
 public:
  // Same contract as PlaceholderDecoder::decode.
  bool decode(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst);
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vcam::camera
