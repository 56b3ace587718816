#include "tools/pack/resource_pack_writer.h"

#include <cstdint>
#include <cstring>

#include "tools/pack/lzma_raw_encoder.h"
#include "uninstaller/resources/resource_pack_format.h"

namespace vcam::tools {

namespace fmt = uninstaller::resource_pack_format;

bool resource_pack_writer::add(std::u16string name, const std::vector<unsigned char>& data, bool compress,
                               std::string* error) {
  const auto refuse = [&](const char* why) {
    if (error) *error = why;
    return false;
  };
  if (name.empty()) return refuse("empty file name");
  if (name.find(u'\0') != std::u16string::npos) return refuse("file name holds a NUL character");
  if (data.size() > UINT32_MAX) return refuse("file larger than 4 GiB");
  entry e{std::move(name), {}, 0};
  if (compress && !data.empty()) {
    if (!lzma_raw_encode(data, e.stored)) return refuse("LZMA compression failed");
    if (e.stored.size() < data.size()) e.unpacked_size = static_cast<std::uint32_t>(data.size());
  }
  if (e.unpacked_size == 0) e.stored = data;
  entries_.push_back(std::move(e));
  return true;
}

bool resource_pack_writer::finish(std::vector<unsigned char>& container, std::string* error) const {
  std::uint64_t data_end = 0;
  std::uint64_t directory_size = 4;
  for (const auto& e : entries_) {
    data_end += e.stored.size();
    directory_size += fmt::record_header_size + scrambled_name_field_size(e.name.size());
  }
  const std::uint64_t total = data_end + directory_size + 4;
  if (total > UINT32_MAX) {
    if (error) *error = "container larger than 4 GiB";
    return false;
  }
  container.assign(static_cast<std::size_t>(total), 0);
  unsigned char* out = container.data();
  std::uint32_t data_at = 0;
  std::uint32_t record_at = static_cast<std::uint32_t>(data_end);
  for (const auto& e : entries_) {
    if (!e.stored.empty()) std::memcpy(out + data_at, e.stored.data(), e.stored.size());
    const std::uint32_t field = static_cast<std::uint32_t>(scrambled_name_field_size(e.name.size()));
    unsigned char* record = out + record_at;
    fmt::store_le32(record, fmt::record_header_size + field);
    fmt::store_le32(record + 4, data_at);
    fmt::store_le32(record + 8, static_cast<std::uint32_t>(e.stored.size()));
    fmt::store_le32(record + 12, e.unpacked_size);
    write_scrambled_name(record + fmt::record_header_size, field, e.name);
    data_at += static_cast<std::uint32_t>(e.stored.size());
    record_at += fmt::record_header_size + field;
  }
  fmt::store_le32(out + total - 4, static_cast<std::uint32_t>(data_end) ^ fmt::index_key);
  return true;
}

}  // namespace vcam::tools
