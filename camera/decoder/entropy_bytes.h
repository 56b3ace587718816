#pragma once
// Byte layer of the entropy-coded data: stuffed and fill bytes, and the markers
// that end the data. Both decoder paths read through this one function.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

inline constexpr int kNoEntropyByte = -1;

// The data byte at `pos` (advancing `pos`), or kNoEntropyByte at the end of the
// data or at a restart marker, SOI or EOI.
// 0xFF 0x00 is a data 0xFF; 0xFF 0xFF is fill before the next 0xFF; 0xFF and any
// other byte stands for that byte. A 0xFF that is the last byte ends the data.
// `pos` does not move when the data has ended, so asking again gives the same answer.
inline int next_entropy_byte(const std::uint8_t* data, std::size_t size, std::size_t& pos) {
  if (pos >= size) return kNoEntropyByte;
  const std::uint8_t byte = data[pos];
  if (byte != 0xFF) {
    ++pos;
    return byte;
  }
  for (std::size_t at = pos + 1; at < size; ++at) {
    const std::uint8_t follower = data[at];
    if (follower == 0xFF) continue;
    if (follower >= 0xD0 && follower <= 0xD9) return kNoEntropyByte;
    pos = at + 1;
    return follower == 0x00 ? 0xFF : follower;
  }
  return kNoEntropyByte;
}

}  // namespace vcam::camera
