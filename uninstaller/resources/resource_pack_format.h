#pragma once
// Layout of the uninstaller's resource containers ("frame.lz", "style.lz"),
// all integers 32-bit little-endian, offsets from the container start:
//   entry data  one after another from offset 0; a compressed entry is 5 bytes
//               of LZMA properties (lc/lp/pb byte, dictionary size) and a raw
//               LZMA stream without end marker, a stored entry its bytes
//   directory   records { length, data offset, stored size, unpacked size
//               (0: stored), name field } ended by a zero length word; the
//               name field is UTF-16LE, NUL-padded to a multiple of 4 bytes,
//               every 32-bit word XORed with the index key
//   trailer     directory offset XOR the index key (last 4 bytes)
#include <cstdint>

#include "common/scrambled_name.h"

namespace vcam::uninstaller::resource_pack_format {

inline constexpr std::uint32_t index_key = kIndexKey;
inline constexpr std::uint32_t record_header_size = 16;
inline constexpr std::uint32_t lzma_properties_size = 5;
// lc=3, lp=0, pb=2 and a 64 MiB dictionary.
inline constexpr unsigned char lzma_properties[lzma_properties_size] = {0x5D, 0x00, 0x00, 0x00, 0x04};

using vcam::load_le32;
using vcam::store_le32;

}  // namespace vcam::uninstaller::resource_pack_format
