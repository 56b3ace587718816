#include "launcher/application/win/stale_processes.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/application/stale_process_rules.h"

namespace vcam::launcher {

namespace {

std::vector<std::u16string> folder_programs(const std::u16string& folder) {
  std::vector<std::u16string> paths;
  WIN32_FIND_DATAW found{};
  const std::u16string pattern = folder + u"*.exe";
  HANDLE search = ::FindFirstFileW(wide(pattern), &found);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + std::u16string(u16(found.cFileName)));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return paths;
}

std::vector<PROCESSENTRY32W> running_processes() {
  std::vector<PROCESSENTRY32W> processes;
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    processes.push_back(entry);
  return processes;
}

void end_process(HANDLE process) {
  ::TerminateProcess(process, kStaleProcessExitCode);
  ::WaitForSingleObject(process, kStaleProcessWaitMs);
}

// Rule 1: the first running process started from `path`.
void end_first_started_from(const std::u16string& path, const std::vector<PROCESSENTRY32W>& processes, DWORD self) {
  for (const PROCESSENTRY32W& entry : processes) {
    if (!may_end_process(entry.th32ProcessID, self)) continue;
    UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE,
                                       FALSE, entry.th32ProcessID));
    if (!process) continue;
    wchar_t image[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameExW(process.get(), nullptr, image, MAX_PATH);
    if (n == 0 || !equal_ignoring_ascii_case(u16(image, n), path)) continue;
    end_process(process.get());
    return;
  }
}

}  // namespace

void stop_stale_processes(const std::u16string& folder) {
  const DWORD self = ::GetCurrentProcessId();
  const std::vector<PROCESSENTRY32W> processes = running_processes();
  for (const std::u16string& path : folder_programs(folder))
    if (folder_program_is_swept(path)) end_first_started_from(path, processes, self);
  for (const PROCESSENTRY32W& entry : processes) {
    if (!is_swept_everywhere(u16(entry.szExeFile)) || !may_end_process(entry.th32ProcessID, self)) continue;
    UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (process) end_process(process.get());
  }
}

}  // namespace vcam::launcher
