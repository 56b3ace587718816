// The uninstaller's entry routine with a procedure that asks for a restart
// and an ExitWindowsEx stand-in: the test sees the reboot being asked for
// without its Wine prefix restarting under it.
#include <windows.h>

#include "uninstaller/program/win/uninstaller_program.h"

namespace {

// Records the flags under HKCU "Software\vcam-uninstall-test" "exit_windows"
// and fails as a refused shutdown would, so the failure message shows.
BOOL WINAPI record_exit_windows(UINT flags, DWORD) {
  DWORD value = flags;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\vcam-uninstall-test", L"exit_windows", REG_DWORD, &value,
                    sizeof value);
  ::SetLastError(ERROR_SHUTDOWN_IN_PROGRESS);
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return vcam::uninstaller::run_uninstaller(&record_exit_windows);
}
