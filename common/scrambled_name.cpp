#include "common/scrambled_name.h"

namespace vcam {

void write_scrambled_name(unsigned char* field, std::size_t field_size, std::u16string_view name) {
  for (std::size_t i = 0; i < field_size; i += 4) {
    std::uint32_t word = 0;
    for (std::size_t half = 0; half < 2; ++half) {
      const std::size_t unit = i / 2 + half;
      if (unit < name.size()) word |= std::uint32_t(name[unit]) << (16 * half);
    }
    store_le32(field + i, word ^ kIndexKey);
  }
}

std::u16string read_scrambled_name(const unsigned char* field, std::size_t field_size) {
  std::u16string name;
  for (std::size_t i = 0; i + 4 <= field_size; i += 4) {
    const std::uint32_t word = load_le32(field + i) ^ kIndexKey;
    const char16_t low = static_cast<char16_t>(word), high = static_cast<char16_t>(word >> 16);
    if (low == 0) break;
    name.push_back(low);
    if (high == 0) break;
    name.push_back(high);
  }
  return name;
}

}  // namespace vcam
