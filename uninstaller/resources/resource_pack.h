#pragma once
// ResourcePack: the index of one resource container held in memory
// (resource_pack_format.h) and extraction of its files, stored or LZMA.
//
// The container comes from the program's own resources, yet nothing in it is
// trusted: every directory record, name, data range and LZMA stream is
// checked, a damaged directory ends the index at the damage, and a damaged
// entry extracts as null.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/malloc_buffer.h"

namespace vcam::uninstaller {

using ResourceBuffer = MallocBuffer;

// A buffer for `size` bytes followed by four zero bytes, so that text can be
// used NUL-terminated; null when memory runs out.
ResourceBuffer new_resource_buffer(std::size_t size);

class ResourcePack {
 public:
  struct Entry {
    std::uint32_t offset;
    std::uint32_t stored_size;
    std::uint32_t unpacked_size;  // 0: stored
  };

  // Entries larger than this are refused: more than a 32-bit uninstaller's
  // skins could ever need, and a damaged size must not reserve gigabytes.
  static constexpr std::uint32_t max_unpacked_size = 256u << 20;

  ResourcePack() = default;

  // Indexes the container; `data` is not copied and must outlive the pack.
  // A later record with the same name replaces an earlier one.
  static ResourcePack build(const unsigned char* data, std::size_t size);

  // A new buffer with the named file (case-sensitive name) followed by four
  // zero bytes; *size (if given) receives the size without them. Null when the
  // name is absent or its entry is damaged.
  ResourceBuffer extract(std::u16string_view name, std::size_t* size) const;

  bool contains(std::u16string_view name) const { return index_.find(name) != index_.end(); }
  std::size_t size() const { return index_.size(); }
  void for_each(const std::function<void(const std::u16string&, const Entry&)>& visit) const;

 private:
  const unsigned char* data_ = nullptr;
  std::size_t directory_offset_ = 0;  // entry data must lie before it
  std::map<std::u16string, Entry, std::less<>> index_;
};

}  // namespace vcam::uninstaller
