#include "uninstaller/script/win/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "common/win/wide.h"

namespace vcam::uninstaller {

std::optional<std::u16string> shell_folder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, buffer, csidl, TRUE)) return std::nullopt;
  return std::u16string(u16(buffer));
}

std::optional<std::u16string> temp_folder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return std::nullopt;
  return std::u16string(u16(buffer, n));
}

}  // namespace vcam::uninstaller
