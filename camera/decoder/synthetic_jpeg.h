#pragma once
// Test support: writes baseline 4:2:0 JPEG files straight from random
// quantised coefficients, random quantisation tables and random (canonical)
// Huffman codes, without any transform. The files are valid for the
// placeholder decoder's subset unless a test edits them, and can exercise the
// corners of the format: long codes, incomplete codes, size-0 end symbols,
// fill bytes and escaped bytes in the entropy data, extra segments.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vcam::camera::testing {

struct SyntheticJpegOptions {
  int width = 32;
  int height = 32;
  std::uint32_t seed = 1;
  int max_dc_size = 11;              // largest DC magnitude category used (0..15)
  int max_ac_size = 10;              // largest AC magnitude category used (1..15)
  int end_of_block_percent = 20;     // chance of ending a block at each AC step
  bool extra_segments = false;       // APPn/COM segments, junk between segments, shared DQT/DHT segments
  bool escaped_bytes = false;        // 0xFF 0xFF fill and 0xFF-escaped data bytes in the entropy data
  bool odd_end_symbols = false;      // AC symbols 0x10..0xE0 (size 0), which end a block
  bool incomplete_codes = false;     // Huffman codes that leave some bit patterns unused
};

std::vector<std::uint8_t> make_synthetic_jpeg(const SyntheticJpegOptions& options);

// A marker segment of a JPEG header: `offset` of its 0xFF, `length` its length field.
struct JpegSegment {
  std::uint8_t marker = 0;
  std::size_t offset = 0;
  std::size_t length = 0;
};

// The segments from the start up to and including the first scan header.
std::vector<JpegSegment> list_segments(const std::vector<std::uint8_t>& jpeg);

// Offset of the first segment with `marker`, or SIZE_MAX.
std::size_t find_segment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker);

// Offset just after the scan header (the first entropy-coded byte), or SIZE_MAX.
std::size_t entropy_begin(const std::vector<std::uint8_t>& jpeg);

}  // namespace vcam::camera::testing
