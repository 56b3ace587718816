#include "uninstaller/program/win/process_sweep.h"

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/program/exit_cleanup_rules.h"
#include "uninstaller/script/win/process_functions.h"

namespace vcam::uninstaller {

namespace {

constexpr UINT kSweepExitCode = 0xFFFFFFF8;  // -8, as the product's other sweeps
constexpr DWORD kSweepWaitMs = 10000;

struct FindCloser {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { ::FindClose(h); }
};
using UniqueFind = UniqueResource<HANDLE, FindCloser>;
using UniqueSnapshot = UniqueResource<HANDLE, FileHandleTraits>;

std::vector<std::u16string> executables_in(const std::u16string& folder) {
  std::vector<std::u16string> paths;
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileW(wide(folder + u"*.exe"), &found));
  if (!search) return paths;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + std::u16string(u16(found.cFileName)));
  } while (::FindNextFileW(search.get(), &found));
  return paths;
}

// Calls `visit` for every process but this one until it returns true.
template <typename Visit>
void for_each_other_process(Visit visit) {
  UniqueSnapshot snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  const DWORD self = ::GetCurrentProcessId();
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID != self && visit(entry)) return;
  }
}

void end_and_wait(HANDLE process) {
  if (::TerminateProcess(process, kSweepExitCode)) ::WaitForSingleObject(process, kSweepWaitMs);
}

// Only the first process running `path` is ended.
void end_first_running(const std::u16string& path) {
  for_each_other_process([&](const PROCESSENTRY32W& entry) {
    UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_VM_READ | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                       FALSE, entry.th32ProcessID));
    if (!process || !same_path(module_path_of(process.get()), path)) return false;
    end_and_wait(process.get());
    return true;
  });
}

}  // namespace

void sweep_program_folder(const std::u16string& folder, const std::u16string& own_path) {
  for (const std::u16string& path : executables_in(folder)) {
    if (!sweep_spares(path, own_path)) end_first_running(path);
  }
  for_each_other_process([](const PROCESSENTRY32W& entry) {
    if (::lstrcmpiW(entry.szExeFile, L"zelovcamon.exe") == 0) {
      UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
      if (process) end_and_wait(process.get());
    }
    return false;
  });
}

}  // namespace vcam::uninstaller
