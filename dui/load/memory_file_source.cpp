#include "dui/load/memory_file_source.h"

#include <utility>

namespace vcam::dui {

void MemoryFileSource::Put(std::u16string name, std::string bytes) {
  files_[std::move(name)] = std::move(bytes);
}

std::optional<std::string> MemoryFileSource::Read(std::u16string_view name) {
  ++reads_;
  const auto it = files_.find(name);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

}  // namespace vcam::dui
