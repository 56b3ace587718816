#pragma once
// Header of a JPEG in the placeholder decoder's subset: baseline, three
// components sampled 2x2/1x1/1x1 (ids 1, 2, 3 in this order), sizes multiples
// of 16, no restart interval, one interleaved scan. Everything else is refused.
#include <array>
#include <cstddef>
#include <cstdint>

#include "camera/decoder/huffman_tree.h"

namespace vcam::camera {

struct JpegComponent {
  int quant = 0;  // quantisation table id 0..3
  int dc = 0;     // Huffman table ids 0..3
  int ac = 0;
};

struct JpegHeader {
  int width = 0;
  int height = 0;
  std::array<std::array<std::uint8_t, 64>, 4> quant{};  // zig-zag order
  std::array<bool, 4> quant_defined{};
  std::array<HuffmanTree, 4> dc;
  std::array<HuffmanTree, 4> ac;
  std::array<JpegComponent, 3> components{};
  std::size_t entropy_begin = 0;  // first byte after the scan header
};

// Parses the segments up to the first scan header. False when the picture is
// outside the subset, a read would leave the buffer or its segment, or its
// bottom-up 24-bit picture (DIB stride x height) would exceed
// `max_picture_bytes`. `header` starts afresh on every call.
bool parse_jpeg_header(const std::uint8_t* data, std::size_t size, std::size_t max_picture_bytes,
                       JpegHeader& header);

}  // namespace vcam::camera
