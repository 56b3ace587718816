#include "uninstaller/guard/win/installer_guard.h"

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
  return mutex && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace vcam::uninstaller
