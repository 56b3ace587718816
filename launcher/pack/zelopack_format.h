#pragma once
// Layout of a ".zeloz" resource pack (all integers 32-bit little-endian,
// offsets from the file start):
//   data area   scrambled bytes of every file, each starting at a multiple of 4
//   index       entries { length L, seed, data offset, data size, name field }
//               ended by a zero length word; the name field is UTF-16LE,
//               NUL-terminated, zero-padded to L - 16 bytes, and every 32-bit
//               word of it XORed with the index key
//   trailer     index offset XOR the index key (last 4 bytes)
// Each file's bytes are XORed word by word with an MT19937 keystream seeded
// with the entry seed (zelopack_keystream.h).
#include <cstdint>

#include "common/scrambled_name.h"

namespace vcam::launcher::zelopack {

inline constexpr std::uint32_t index_key = kIndexKey;
inline constexpr std::uint32_t min_file_size = 64;
inline constexpr std::uint32_t entry_header_size = 16;
inline constexpr std::uint32_t min_entry_length = 20;
// The reader rejects lengths above 275; with lengths a multiple of 4 the
// longest entry is 272 bytes, a name field of 256 bytes (127 units + NUL).
inline constexpr std::uint32_t max_entry_length = 272;
inline constexpr std::uint32_t max_name_units = (max_entry_length - entry_header_size) / 2 - 1;
// Index offset + this must not pass the file size (room for an entry header,
// its terminator word and the trailer).
inline constexpr std::uint32_t min_index_tail = 24;

using vcam::load_le32;
using vcam::store_le32;

}  // namespace vcam::launcher::zelopack
