#include "uninstaller/resources/resource_pack.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "uninstaller/resources/lzma_raw_decoder.h"
#include "uninstaller/resources/resource_pack_format.h"

namespace vcam::uninstaller {

namespace fmt = resource_pack_format;

ResourceBuffer new_resource_buffer(std::size_t size) {
  constexpr std::size_t kZeros = 4;
  if (size > SIZE_MAX - kZeros) return nullptr;
  ResourceBuffer buffer(static_cast<unsigned char*>(std::malloc(size + kZeros)));
  if (buffer) std::memset(buffer.get() + size, 0, kZeros);
  return buffer;
}

ResourcePack ResourcePack::build(const unsigned char* data, std::size_t size) {
  ResourcePack pack;
  pack.data_ = data;
  if (!data || size < 4) return pack;
  const std::size_t end = size - 4;  // the directory ends where the trailer starts
  const std::size_t directory = fmt::load_le32(data + end) ^ fmt::index_key;
  if (directory > end) return pack;
  pack.directory_offset_ = directory;

  std::size_t position = directory;
  while (end - position >= 4) {
    const std::uint32_t length = fmt::load_le32(data + position);
    if (length == 0) break;
    if (length < fmt::record_header_size || length % 4 != 0 || length > end - position) break;
    const unsigned char* record = data + position;
    const Entry entry{fmt::load_le32(record + 4), fmt::load_le32(record + 8), fmt::load_le32(record + 12)};
    std::u16string name = read_scrambled_name(record + fmt::record_header_size, length - fmt::record_header_size);
    pack.index_.insert_or_assign(std::move(name), entry);
    position += length;
  }
  return pack;
}

ResourceBuffer ResourcePack::extract(std::u16string_view name, std::size_t* size) const {
  const auto found = index_.find(name);
  if (found == index_.end()) return nullptr;
  const Entry& e = found->second;
  if (e.offset > directory_offset_ || e.stored_size > directory_offset_ - e.offset) return nullptr;
  const std::size_t out_size = e.unpacked_size == 0 ? e.stored_size : e.unpacked_size;
  if (out_size > max_unpacked_size) return nullptr;

  ResourceBuffer out = new_resource_buffer(out_size);
  if (!out) return nullptr;
  const unsigned char* stored = data_ + e.offset;
  if (e.unpacked_size == 0) {
    if (out_size) std::memcpy(out.get(), stored, out_size);
  } else if (!lzma_raw_decode(stored, e.stored_size, out.get(), out_size)) {
    return nullptr;
  }
  if (size) *size = out_size;
  return out;
}

void ResourcePack::for_each(const std::function<void(const std::u16string&, const Entry&)>& visit) const {
  for (const auto& [name, entry] : index_) visit(name, entry);
}

}  // namespace vcam::uninstaller
