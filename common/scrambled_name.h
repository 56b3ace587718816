#pragma once
// The directory records of the launcher's ".zeloz" packs and of the
// uninstaller's embedded containers share one arrangement: 32-bit
// little-endian fields, a trailer holding the directory offset XOR the index
// key, and file names stored as UTF-16LE, NUL-terminated, zero-padded to a
// multiple of 4 bytes, every 32-bit word XORed with the index key.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vcam {

inline constexpr std::uint32_t kIndexKey = 0x5B3E91C7u;

inline std::uint32_t load_le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline void store_le32(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

// Bytes of the name field for a name of `units` UTF-16 units: the name, its
// terminator and the padding to a multiple of 4.
inline constexpr std::size_t scrambled_name_field_size(std::size_t units) { return (units * 2 + 2 + 3) / 4 * 4; }

// Writes `name` scrambled into a field of `field_size` bytes (a multiple of
// 4, at least scrambled_name_field_size(name.size())).
void write_scrambled_name(unsigned char* field, std::size_t field_size, std::u16string_view name);

// The name held by a scrambled field of `field_size` bytes (a multiple of 4):
// the units up to the first zero unit, never reading past the field.
std::u16string read_scrambled_name(const unsigned char* field, std::size_t field_size);

// The last byte of a scrambled field once unscrambled (0 in a well-formed
// field, whose last unit is the terminator or padding).
inline unsigned char scrambled_field_last_byte(const unsigned char* field, std::size_t field_size) {
  return static_cast<unsigned char>((load_le32(field + field_size - 4) ^ kIndexKey) >> 24);
}

}  // namespace vcam
