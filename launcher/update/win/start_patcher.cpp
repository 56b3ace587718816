#include "launcher/update/win/start_patcher.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win/wide.h"
#include "launcher/update/update_offer.h"

namespace vcam::launcher {
namespace {

bool system_knows_elevation() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!::GetVersionExW(&version)) return false;
  return patcher_needs_elevation(version.dwPlatformId == VER_PLATFORM_WIN32_NT, version.dwMajorVersion);
}

}  // namespace

bool start_patcher(const std::u16string& application_folder) {
  const std::u16string file = application_folder + kPatcherRelativePath;
  const std::u16string parameters = patcher_parameters(::GetCurrentProcessId());
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = system_knows_elevation() ? L"runas" : nullptr;
  info.lpFile = wide(file);
  info.lpParameters = wide(parameters);
  info.nShow = SW_SHOWNORMAL;
  return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace vcam::launcher
