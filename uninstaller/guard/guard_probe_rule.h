#pragma once
// How the launcher reads its probe of the installer guard. An elevated setup
// program creates the mutex with a descriptor and integrity label that a
// non-elevated launcher cannot open: creation then fails with "access
// denied", which means the guard exists and is held. Every other failure is
// no obstacle.
namespace vcam::uninstaller {

enum class probe_error { none, already_exists, access_denied, other };

inline bool guard_probe_says_held(bool got_handle, probe_error error) {
  return got_handle ? error == probe_error::already_exists : error == probe_error::access_denied;
}

}  // namespace vcam::uninstaller
