#pragma once
// A FileSource over a folder on disk: designers try skins and layouts without
// packing them. Names are relative paths inside the folder ("\" or "/").
#include <cstdint>
#include <filesystem>

#include "dui/load/file_source.h"

namespace vcam::dui {

class FolderFileSource : public FileSource {
 public:
  explicit FolderFileSource(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Nothing for a missing or unreadable file, a file over kMaxFileSize, and
  // a name that would leave the folder (absolute, or with a ".." part).
  std::optional<std::string> Read(std::u16string_view name) override;

  static constexpr std::uintmax_t kMaxFileSize = 64u << 20;

 private:
  std::filesystem::path folder_;
};

}  // namespace vcam::dui
