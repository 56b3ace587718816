#include "common/path_text.h"
#include "common/win/folders.h"
#include "common/win/text_cp936.h"
#include "launcher/assets/http_download_port.h"

namespace vcam::launcher {

std::string narrow_download_path(const std::u16string& path) { return utf16_to_cp936(path); }

void create_folders_above(const std::u16string& destination) {
  const std::u16string folder = folder_of(destination);
  if (!folder.empty()) create_folder_path(folder);
}

}  // namespace vcam::launcher
