#pragma once
// Test and benchmark support (host only): libjpeg-turbo as the yardstick.
// Encodes pictures with any of its settings and decodes to top-down BGR.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcam::camera::testing {

struct LibjpegSettings {
  int quality = 85;
  bool optimize = false;
  bool progressive = false;
  bool arithmetic = false;
  int restart_interval = 0;  // MCUs
  int components = 3;        // 1 grey, 3 YCbCr (or RGB with rgb_colour_space), 4 CMYK
  bool rgb_colour_space = false;
  int luma_h = 2;            // sampling factors of the first component
  int luma_v = 2;
};

// `rgb`: width x height x 3 bytes, top-down (for 1 or 4 components the first or
// all channels are used). Empty on an encoder error.
std::vector<std::uint8_t> libjpeg_encode(const std::vector<std::uint8_t>& rgb, int width, int height,
                                         const LibjpegSettings& settings);

// True when libjpeg decodes the whole picture in its own colour space.
bool libjpeg_reads(const std::uint8_t* jpeg, std::size_t size);

// Decodes with libjpeg-turbo's defaults (islow IDCT, fancy upsampling) into
// top-down BGR, width x 3 bytes a row. False on a decoder error.
bool libjpeg_decode_bgr(const std::uint8_t* jpeg, std::size_t size, std::vector<std::uint8_t>& bgr, int& width,
                        int& height);

// Decodes into bottom-up rows `stride` bytes apart, as the placeholder decoder
// writes them (for the benchmark's like-for-like comparison).
// False when the picture does not fit `dst_size` bytes.
bool libjpeg_decode_bottom_up(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst, std::size_t dst_size,
                              std::size_t stride);

}  // namespace vcam::camera::testing
