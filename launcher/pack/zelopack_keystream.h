#pragma once
// The per-file keystream of a resource pack: the standard 32-bit Mersenne
// Twister (MT19937) seeded with the entry seed, one output per 32-bit
// little-endian word. XOR is its own inverse, so the same call scrambles
// (pack writer) and descrambles (reader).
#include <cstddef>
#include <cstdint>

namespace vcam::launcher::zelopack {

// XORs `words` consecutive 32-bit words at `buffer` with the keystream.
void apply_keystream(unsigned char* buffer, std::size_t words, std::uint32_t seed);

}  // namespace vcam::launcher::zelopack
