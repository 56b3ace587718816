#pragma once
// Starts a program, or runs it to its end and collects its standard output:
// for tests that drive the project's programs, of either bitness.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win/unique_handle.h"

namespace vcam::testing {

struct ProgramResult {
  DWORD code = ~0u;  // ~0 when it could not be started or did not end in time
  std::string output;
};

// Starts `command` and hands back its process handle, empty when it could not
// be started; the program's output goes where the test's goes.
inline UniqueHandle start_program(std::wstring command, DWORD creation_flags = 0) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, creation_flags, nullptr, nullptr, &startup,
                        &info))
    return UniqueHandle();
  ::CloseHandle(info.hThread);
  return UniqueHandle(info.hProcess);
}

// Runs `command`, collecting its standard output, for at most `timeout_ms`.
inline ProgramResult run_program(std::wstring command, DWORD timeout_ms = 60'000) {
  ProgramResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!::CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
  UniqueHandle reader(read_end), writer(write_end);
  ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
    return result;
  UniqueHandle process(info.hProcess), thread(info.hThread);
  writer.reset();
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(reader.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) result.output.append(buffer, got);
  if (::WaitForSingleObject(process.get(), timeout_ms) == WAIT_OBJECT_0) ::GetExitCodeProcess(process.get(), &result.code);
  return result;
}

// The output's lines without their CR LF.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    begin = end + 1;
  }
  return lines;
}

inline bool contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const auto& l : lines)
    if (l == line) return true;
  return false;
}

}  // namespace vcam::testing
