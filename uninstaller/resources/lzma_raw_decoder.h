#pragma once
// Decoding of one compressed container entry with liblzma's raw LZMA1
// decoder: the 5 property bytes, then a raw stream of known unpacked size.
#include <cstddef>

namespace vcam::uninstaller {

// Decodes `input` (properties and stream, `input_size` bytes) into exactly
// `unpacked_size` bytes at `output`. False when the properties are invalid,
// the stream is damaged or ends before `unpacked_size` bytes; nothing is
// ever written past `output + unpacked_size`.
bool lzma_raw_decode(const unsigned char* input, std::size_t input_size, unsigned char* output,
                     std::size_t unpacked_size);

}  // namespace vcam::uninstaller
