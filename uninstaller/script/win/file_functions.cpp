#include "uninstaller/script/win/file_functions.h"

#include <windows.h>
#include <io.h>
#include <shlwapi.h>

#include "common/win/wide.h"
#include "uninstaller/script/script_paths.h"

namespace vcam::uninstaller {

bool remove_file(std::u16string_view path) { return ::DeleteFileW(wide(std::u16string(path))) != FALSE; }

bool move_file(std::u16string_view from, std::u16string_view to) {
  return ::MoveFileExW(wide(std::u16string(from)), wide(std::u16string(to)),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
}

bool create_directory(std::u16string_view path) {
  for (const std::u16string& prefix : directory_prefixes(path)) ::CreateDirectoryW(wide(prefix), nullptr);
  return true;
}

bool file_exists(std::u16string_view path) { return ::_waccess(wide(std::u16string(path)), 0) == 0; }

bool directory_empty(std::u16string_view path) {
  if (!file_exists(path)) return true;
  return ::PathIsDirectoryEmptyW(wide(std::u16string(path))) != FALSE;
}

void set_current_directory(std::u16string_view path) { ::SetCurrentDirectoryW(wide(std::u16string(path))); }

bool volume_exists(std::u16string_view root) {
  // An empty text would mean the current folder's drive to Windows; the
  // script named no drive.
  if (root.empty()) return false;
  return ::GetDriveTypeW(wide(std::u16string(root))) == DRIVE_FIXED;
}

}  // namespace vcam::uninstaller
