#include "camera/filter/win/run_vcapp.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <new>

#include "common/path_text.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\ZeloVCamera";
constexpr wchar_t kRunValue[] = L"Run";
constexpr DWORD kRunValueBytes = 512;

bool file_exists(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void start(const std::u16string& path) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = L"runas";
  info.lpFile = wide(path);
  info.nShow = SW_SHOWNORMAL;
  if (::ShellExecuteExW(&info) && info.hProcess) ::CloseHandle(info.hProcess);
}

}  // namespace

std::u16string read_companion_path() {
  // Zeroed and offered only half of it, so the text always ends in a NUL
  // whatever type the value has.
  wchar_t buffer[512] = {};
  UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
  DWORD bytes = kRunValueBytes;
  if (::RegQueryValueExW(key.get(), kRunValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
      ERROR_SUCCESS)
    return {};
  return std::u16string(u16(buffer));
}

bool is_process_running(std::u16string_view file_name) {
  if (file_name.empty()) return false;
  const std::u16string wanted(file_name);
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (::lstrcmpiW(entry.szExeFile, wide(wanted)) == 0) return true;
  }
  return false;
}

void RunVCAPP() noexcept {
  // Called from SetMediaType, a COM method: running out of memory for the
  // path text only leaves the companion unstarted, as every other failure.
  try {
    const std::u16string path = read_companion_path();
    if (path.empty() || !file_exists(path)) return;
    if (!is_process_running(file_name_of(path))) {
      start(path);
      return;
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  ::OutputDebugStringW(L"RunVCAPP:app is already running\n");
}

}  // namespace vcam::camera
