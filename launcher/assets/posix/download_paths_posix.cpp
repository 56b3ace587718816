#include <filesystem>
#include <system_error>

#include "common/text_utf.h"
#include "launcher/assets/http_download_port.h"

namespace vcam::launcher {

std::string narrow_download_path(const std::u16string& path) { return utf16_to_utf8(path); }

void create_folders_above(const std::u16string& destination) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(destination).parent_path(), ignored);
}

}  // namespace vcam::launcher
