// Helper process of the guard tests: a second setup program.
//   guard_holder hold <ready event> <release event>
//       takes the guard, signals ready, holds it until release (30 s at most)
//   guard_holder try
//       takes the guard and lets it go at once
// Exit code: 0 held, 3 another setup program runs, 4 mutex not created,
// 2 bad arguments or events.
#include <windows.h>

#include <string>

#include "common/win/unique_handle.h"
#include "uninstaller/guard/win/installer_guard.h"

int wmain(int argc, wchar_t** argv) {
  using vcam::uninstaller::InstallerGuard;
  if (argc < 2) return 2;
  const std::wstring mode = argv[1];
  const InstallerGuard guard;
  const int code = guard.state() == InstallerGuard::State::held            ? 0
                   : guard.state() == InstallerGuard::State::other_running ? 3
                                                                          : 4;
  if (mode == L"try") return code;
  if (mode != L"hold" || argc != 4) return 2;
  vcam::UniqueHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]));
  vcam::UniqueHandle release(::OpenEventW(SYNCHRONIZE, FALSE, argv[3]));
  if (!ready || !release) return 2;
  ::SetEvent(ready.get());
  if (code == 0) ::WaitForSingleObject(release.get(), 30000);
  return code;
}
