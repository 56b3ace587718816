#pragma once
// The installer guard: the named mutex "Global\ZELOINSTALLER" that a setup
// program (the installer, the uninstaller) owns for as long as it runs. The
// uninstaller holds it; the launcher only probes it.
#include "common/win/unique_handle.h"

namespace vcam::uninstaller {

inline constexpr const wchar_t* installer_guard_name = L"Global\\ZELOINSTALLER";

class InstallerGuard {
 public:
  enum class State {
    held,           // this program owns the guard until the object dies
    not_created,    // the mutex could not be made: go on without the guard
    other_running,  // another setup program holds it: refuse to run
  };

  // Creates and owns the guard unless it already exists.
  InstallerGuard();
  State state() const { return state_; }
  bool other_setup_running() const { return state_ == State::other_running; }

 private:
  UniqueHandle mutex_;
  State state_;
};

// True when a setup program holds the guard. The probe creates the mutex and
// closes it at once, so it never keeps a later setup program from starting.
// A guard it may not open (made by an elevated setup program) is held; any
// other failure to create it counts as no setup program.
bool probe_installer_guard();

}  // namespace vcam::uninstaller
