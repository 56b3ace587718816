#include "uninstaller/program/win/exit_cleanup.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/program/exit_cleanup_rules.h"
#include "uninstaller/script/win/shell_folders.h"

namespace vcam::uninstaller {

namespace {

constexpr UINT kBatchCodePage = 936;

bool write_batch(const std::u16string& path, const std::u16string& text) {
  const int length = static_cast<int>(text.size());
  const int bytes = ::WideCharToMultiByte(kBatchCodePage, 0, wide(text), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  std::vector<char> narrow(bytes);
  ::WideCharToMultiByte(kBatchCodePage, 0, wide(text), length, narrow.data(), bytes, nullptr, nullptr);
  UniqueResource<HANDLE, FileHandleTraits> file(
      ::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), narrow.data(), static_cast<DWORD>(bytes), &written, nullptr) &&
         written == static_cast<DWORD>(bytes);
}

}  // namespace

std::optional<std::u16string> registered_install_path() {
  DWORD size = 0;
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZeloVCamera", L"InstallPath", kFlags, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::vector<wchar_t> value(size / sizeof(wchar_t) + 1);
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZeloVCamera", L"InstallPath", kFlags, nullptr, value.data(),
                     &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::u16string(u16(value.data()));
}

bool start_self_deletion(const std::u16string& exe_path, const std::u16string& folder) {
  const std::optional<std::u16string> found = temp_folder();
  if (!found) return false;
  const std::u16string& temp = *found;
  // The temporary path ends in "\" already; the doubled separator is harmless.
  const std::u16string batch = temp + u"\\zelocamera.bat";
  const std::u16string text = self_delete_batch(exe_path, folder, batch);
  if (text.empty() || !write_batch(batch, text)) return false;

  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS;
  run.lpVerb = L"open";
  run.lpFile = wide(batch);
  run.lpDirectory = wide(temp);
  run.nShow = SW_HIDE;
  if (!::ShellExecuteExW(&run)) return false;
  if (run.hProcess) {
    UniqueHandle batch_process(run.hProcess);
    // The batch must not get the processor before this process has ended,
    // or its first attempts to delete the executable fail for nothing.
    ::SetPriorityClass(batch_process.get(), IDLE_PRIORITY_CLASS);
    ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  }
  return true;
}

void delete_at_next_boot(const std::u16string& exe_path, const std::u16string& folder) {
  ::MoveFileExW(wide(exe_path), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  if (!folder.empty()) ::MoveFileExW(wide(folder), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void reboot_machine(ExitWindowsFunction exit_windows) {
  HANDLE raw = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
    ::MessageBoxW(nullptr, L"重启电脑失败，原因：提升权限失败。请手动重启电脑。", nullptr, MB_OK);
    return;
  }
  UniqueHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
  // Not checked: without the privilege ExitWindowsEx fails and says why.
  ::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
  if (!exit_windows(EWX_REBOOT | EWX_FORCE, 0)) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"重启电脑失败，原因：%d。 请手动重启电脑。", static_cast<int>(::GetLastError()));
    ::MessageBoxW(nullptr, text, nullptr, MB_OK);
  }
}

}  // namespace vcam::uninstaller
