#include "dui/load/folder_file_source.h"

#include <fstream>
#include <string>
#include <system_error>

namespace vcam::dui {

std::optional<std::string> FolderFileSource::Read(std::u16string_view name) {
  std::u16string relative(name);
  for (char16_t& c : relative)
    if (c == u'\\') c = u'/';
  const std::filesystem::path path(relative);
  if (relative.empty() || path.has_root_name() || path.has_root_directory()) return std::nullopt;
  for (const std::filesystem::path& part : path)
    if (part == "..") return std::nullopt;

  const std::filesystem::path full = folder_ / path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(full, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(full, error);
  if (error || size > kMaxFileSize) return std::nullopt;
  std::ifstream in(full, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

}  // namespace vcam::dui
