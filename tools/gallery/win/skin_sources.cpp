#include "tools/gallery/win/skin_sources.h"

#include <filesystem>

#include "dui/load/folder_file_source.h"
#include "launcher/pack/zelopack_file_source.h"

namespace vcam::gallery {

std::unique_ptr<dui::FileSource> open_skin_source(const std::u16string& path) {
  const std::u16string suffix = u".zeloz";
  if (path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
    return launcher::open_zelopack_source(path);
  std::error_code error;
  if (!std::filesystem::is_directory(std::filesystem::path(path), error)) return nullptr;
  return std::make_unique<dui::FolderFileSource>(std::filesystem::path(path));
}

std::optional<std::string> OverlaySource::Read(std::u16string_view name) {
  if (auto bytes = extra_.Read(name)) return bytes;
  return base_ ? base_->Read(name) : std::nullopt;
}

}  // namespace vcam::gallery
