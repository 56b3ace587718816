#include "uninstaller/script/win/process_functions.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {

namespace {

constexpr DWORD kKillExitCode = 0xFFFFFFF8;  // -8
constexpr DWORD kKillWaitMs = 1000;

// Calls `visit` for every process of a snapshot but this one; a snapshot
// that cannot be taken visits nothing.
template <typename Visit>
void for_each_other_process(Visit visit) {
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  const DWORD self = ::GetCurrentProcessId();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID != self && visit(entry)) return;
  }
}

}  // namespace

bool same_path(std::u16string_view a, std::u16string_view b) {
  return ::CompareStringOrdinal(reinterpret_cast<LPCWCH>(a.data()), static_cast<int>(a.size()),
                                reinterpret_cast<LPCWCH>(b.data()), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::u16string module_path_of(HANDLE process) {
  // Long-path names exceed MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameExW(process, nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size() - 1) return std::u16string(u16(buffer.data(), n));
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

void kill_process(std::u16string_view path) {
  if (path.empty()) return;
  for_each_other_process([&](const PROCESSENTRY32W& entry) {
    UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_VM_READ | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                       FALSE, entry.th32ProcessID));
    if (process && same_path(module_path_of(process.get()), path)) {
      if (::TerminateProcess(process.get(), kKillExitCode)) ::WaitForSingleObject(process.get(), kKillWaitMs);
    }
    return false;
  });
}

bool is_process_running(std::u16string_view path) {
  if (path.empty()) return false;
  bool found = false;
  for_each_other_process([&](const PROCESSENTRY32W& entry) {
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
    found = process && same_path(module_path_of(process.get()), path);
    return found;
  });
  // The running program counts as well: it is running.
  return found || same_path(current_process_path(), path);
}

std::u16string current_process_path() { return module_path_of(::GetCurrentProcess()); }

void kill_by_exe_name(std::u16string_view name) {
  if (name.empty()) return;
  const std::u16string wanted(name);
  for_each_other_process([&](const PROCESSENTRY32W& entry) {
    if (::lstrcmpiW(entry.szExeFile, wide(wanted)) == 0) {
      UniqueHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
      if (process) ::TerminateProcess(process.get(), 0);
    }
    return false;
  });
}

}  // namespace vcam::uninstaller
