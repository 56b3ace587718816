#pragma once
// Entropy decoding, dequantisation and inverse DCT of the scan into the three
// sample planes, with table-driven Huffman decoding and shortcuts for blocks
// and rows without AC energy (each gives the same samples as the full transform).
#include <cstddef>
#include <cstdint>

#include "camera/decoder/jpeg_header.h"
#include "camera/decoder/ycbcr_planes.h"

namespace vcam::camera {

// False on any entropy-data error; the planes then hold what was decoded so far.
bool decode_scan_fast(const std::uint8_t* data, std::size_t size, const JpegHeader& header,
                      YCbCrPlanes& planes);

}  // namespace vcam::camera
