#pragma once
// The per-file keystream of a resource pack: the standard 32-bit Mersenne
// Twister (MT19937) seeded with the entry seed, one output per 32-bit
// little-endian word. XOR is its own inverse, so the same call scrambles
// (pack writer) and descrambles (reader).
#include <cstddef>
#include <cstdint>

namespace vcam::launcher::zelopack {

// XORs `words` consecutive 32-bit words at `buffer` with the keystream.
// Unaligned buffers are fine. The fastest code path the processor supports
// is chosen once.
void apply_keystream(unsigned char* buffer, std::size_t words, std::uint32_t seed);

// One code path by name, for tests; false when the processor lacks it.
enum class keystream_path { portable, sse2, avx2 };
bool apply_keystream_on(keystream_path path, unsigned char* buffer, std::size_t words, std::uint32_t seed);

}  // namespace vcam::launcher::zelopack
