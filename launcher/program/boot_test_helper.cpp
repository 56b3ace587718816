// Helper program of the launcher's whole-program tests.
//   named zelobugreport.exe or zelovcamcount.exe: appends its command line
//       (UTF-16, one line) to "<name>.args" in its folder and exits 0;
//   "sleep": waits 30 s and exits 0 (a program to be swept);
//   "sweep": runs the stale-process sweep on its own folder and exits 0.
#include <windows.h>

#include <string>

#include "common/win/folders.h"
#include "launcher/application/win/stale_processes.h"

int wmain(int argc, wchar_t** argv) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring self = path;
  const std::wstring name = self.substr(self.find_last_of(L'\\') + 1);
  const std::wstring stem = name.substr(0, name.rfind(L'.'));
  if (_wcsicmp(stem.c_str(), L"zelobugreport") == 0 || _wcsicmp(stem.c_str(), L"zelovcamcount") == 0) {
    const std::wstring record = self.substr(0, self.size() - name.size()) + stem + L".args";
    HANDLE f = ::CreateFileW(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    const std::wstring line = std::wstring(::GetCommandLineW()) + L"\n";
    DWORD written = 0;
    ::WriteFile(f, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    ::CloseHandle(f);
    return 0;
  }
  if (argc >= 2 && std::wstring(argv[1]) == L"sleep") {
    ::Sleep(30000);
    return 0;
  }
  if (argc >= 2 && std::wstring(argv[1]) == L"sweep") {
    vcam::launcher::stop_stale_processes(vcam::application_folder());
    return 0;
  }
  return 2;
}
