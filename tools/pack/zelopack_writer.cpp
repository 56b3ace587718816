#include "tools/pack/zelopack_writer.h"

#include <algorithm>
#include <cstring>

#include "launcher/pack/zelopack_format.h"
#include "launcher/pack/zelopack_keystream.h"

namespace vcam::tools {

namespace zp = launcher::zelopack;

std::uint32_t zelopack_name_seed(std::u16string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char16_t unit : name) {
    for (const unsigned char byte : {static_cast<unsigned char>(unit), static_cast<unsigned char>(unit >> 8)}) {
      hash = (hash ^ byte) * 16777619u;
    }
  }
  return hash;
}

bool zelopack_writer::add(std::u16string name, std::vector<unsigned char> data, std::uint32_t seed,
                          std::string* error) {
  const auto refuse = [&](const char* why) {
    if (error) *error = why;
    return false;
  };
  if (name.empty()) return refuse("empty file name");
  if (name.find(u'\0') != std::u16string::npos) return refuse("file name holds a NUL character");
  if (name.size() > zp::max_name_units) return refuse("file name longer than 127 UTF-16 units");
  entries_.push_back({std::move(name), std::move(data), seed});
  return true;
}

bool zelopack_writer::finish(std::vector<unsigned char>& pack, std::string* error) const {
  const auto round4 = [](std::uint64_t n) { return (n + 3) / 4 * 4; };
  std::uint64_t data_end = 0;
  std::uint64_t index_length = 4;  // the terminating zero word
  for (const auto& e : entries_) {
    data_end = round4(data_end + e.data.size());
    index_length += zp::entry_header_size + scrambled_name_field_size(e.name.size());
  }
  // The reader wants an index of at least 20 bytes and a file of at least 64;
  // the spare room is zeros after the terminator and before the index.
  index_length = std::max<std::uint64_t>(index_length, zp::min_index_tail - 4);
  const std::uint64_t tail = index_length + 4;
  const std::uint64_t index_offset = tail >= zp::min_file_size ? data_end : std::max(data_end, zp::min_file_size - tail);
  const std::uint64_t total = index_offset + index_length + 4;
  if (total > UINT32_MAX) {
    if (error) *error = "pack larger than 4 GiB";
    return false;
  }

  pack.assign(static_cast<std::size_t>(total), 0);
  unsigned char* out = pack.data();
  std::uint32_t data_at = 0;
  std::uint32_t index_at = static_cast<std::uint32_t>(index_offset);
  for (const auto& e : entries_) {
    const std::uint32_t size = static_cast<std::uint32_t>(e.data.size());
    const std::uint32_t words = (size + 3) / 4;
    // Scrambled in place over whole words; the bytes past the file within its
    // last word are left zero.
    if (size) std::memcpy(out + data_at, e.data.data(), size);
    zp::apply_keystream(out + data_at, words, e.seed);
    std::memset(out + data_at + size, 0, words * 4 - size);

    const std::uint32_t field = static_cast<std::uint32_t>(scrambled_name_field_size(e.name.size()));
    unsigned char* entry = out + index_at;
    zp::store_le32(entry, zp::entry_header_size + field);
    zp::store_le32(entry + 4, e.seed);
    zp::store_le32(entry + 8, data_at);
    zp::store_le32(entry + 12, size);
    write_scrambled_name(entry + zp::entry_header_size, field, e.name);

    data_at += words * 4;
    index_at += zp::entry_header_size + field;
  }
  zp::store_le32(out + total - 4, static_cast<std::uint32_t>(index_offset) ^ zp::index_key);
  return true;
}

}  // namespace vcam::tools
