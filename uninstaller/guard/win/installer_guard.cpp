#include "uninstaller/guard/win/installer_guard.h"

#include "uninstaller/guard/guard_probe_rule.h"

namespace vcam::uninstaller {

InstallerGuard::InstallerGuard() : state_(State::not_created) {
  UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, installer_guard_name));
  if (!mutex) return;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    state_ = State::other_running;
    return;  // the handle closes here: nothing is held
  }
  mutex_ = std::move(mutex);
  state_ = State::held;
}

bool probe_installer_guard() {
  const UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, installer_guard_name));
  const DWORD error = ::GetLastError();
  const probe_error kind = error == ERROR_ALREADY_EXISTS ? probe_error::already_exists
                           : error == ERROR_ACCESS_DENIED ? probe_error::access_denied
                           : error == ERROR_SUCCESS       ? probe_error::none
                                                          : probe_error::other;
  return guard_probe_says_held(static_cast<bool>(mutex), kind);
}

}  // namespace vcam::uninstaller
