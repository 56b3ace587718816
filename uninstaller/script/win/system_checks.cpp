#include "uninstaller/script/win/system_checks.h"

#include <windows.h>

namespace vcam::uninstaller {

bool is_wow32() {
  wchar_t folder[MAX_PATH];
  ::SetLastError(ERROR_SUCCESS);
  return ::GetSystemWow64DirectoryW(folder, MAX_PATH) == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
}

bool is_win8() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&version)) return false;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 5 && version.dwMinorVersion > 1;
}

}  // namespace vcam::uninstaller
