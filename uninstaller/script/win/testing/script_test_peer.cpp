// Second process of the script tests. Exit code 0 on success; 2 and up tell
// which step failed.
//   script_test_peer wait                 runs until it is ended (60 s at most, then 3)
//   script_test_peer exit <code> <ms>     sleeps <ms>, then exits with <code>
//   script_test_peer load <module>        loads <module> (the camera filter, which
//                                         lists the process as a consumer), then waits
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// Long enough for any test; short enough that a forgotten peer goes away.
constexpr DWORD kPatienceMs = 60000;

int wait_to_be_ended() {
  ::Sleep(kPatienceMs);
  return 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"wait" && argc == 2) return wait_to_be_ended();
  if (mode == L"exit" && argc == 4) {
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    return static_cast<int>(std::wcstol(argv[2], nullptr, 10));
  }
  if (mode == L"load" && argc == 3) {
    if (!::LoadLibraryW(argv[2])) return 2;
    return wait_to_be_ended();
  }
  return 1;
}
