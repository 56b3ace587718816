#pragma once
// The "Run" value pointed at the companion stand-in (or any path) for a
// test, restored afterwards, and the stand-in's processes ended through its
// quit event.
#include <windows.h>
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

#include "camera/filter/win/testing/companion_names.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera::testing {

inline std::vector<DWORD> companion_processes() {
  std::vector<DWORD> ids;
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    if (::lstrcmpiW(entry.szExeFile, kCompanionExe) == 0) ids.push_back(entry.th32ProcessID);
  return ids;
}

// Polls for `count` stand-ins, up to `timeout_ms`: the start is asynchronous.
inline bool wait_for_companions(size_t count, DWORD timeout_ms) {
  const DWORD begin = ::GetTickCount();
  while (companion_processes().size() < count) {
    if (::GetTickCount() - begin > timeout_ms) return false;
    ::Sleep(20);
  }
  return true;
}

class CompanionSetup {
 public:
  CompanionSetup() : quit_(::CreateEventW(nullptr, TRUE, FALSE, kCompanionQuitEvent)) {
    wchar_t previous[512] = {};
    DWORD bytes = sizeof previous - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Run", RRF_RT_REG_SZ, nullptr, previous, &bytes) == ERROR_SUCCESS)
      previous_ = std::wstring(previous);
  }
  ~CompanionSetup() {
    EndCompanions();
    if (previous_)
      SetRun(*previous_);
    else
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Run");
  }
  CompanionSetup(const CompanionSetup&) = delete;
  CompanionSetup& operator=(const CompanionSetup&) = delete;

  static std::wstring StubPath() { return std::wstring(wide(application_folder())) + kCompanionExe; }

  void SetRun(const std::wstring& path) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Run", REG_SZ, path.c_str(),
                      static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  }
  void DeleteRun() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Run"); }

  // Signals the stand-ins to quit and waits for them; only stand-ins are
  // ever ended, by their own ids.
  void EndCompanions() {
    ::SetEvent(quit_.get());
    for (DWORD id : companion_processes()) {
      UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
      if (process && ::WaitForSingleObject(process.get(), 10'000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.get(), 1);
    }
    ::ResetEvent(quit_.get());
  }

 private:
  static constexpr wchar_t kKey[] = L"Software\\ZeloVCamera";
  UniqueHandle quit_;
  std::optional<std::wstring> previous_;
};

}  // namespace vcam::camera::testing
