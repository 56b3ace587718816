#pragma once
// The system registration tool of the prefix, run on the camera module
// beside the test.
#include <windows.h>

#include <string>

#include "camera/filter/win/filter_identity.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera::testing {

// The module of the test's own bitness, beside the test.
inline std::wstring camera_module_path() { return std::wstring(wide(application_folder())) + kModuleName; }

inline std::wstring registration_tool_path() {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  return std::wstring(system) + L"\\regsvr32.exe";
}

// Runs the tool with `arguments` and returns its exit code (~0 when it could
// not be run or did not end within a minute).
inline DWORD run_regsvr32(const std::wstring& arguments) {
  std::wstring command = L"\"" + registration_tool_path() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return ~0u;
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  if (::WaitForSingleObject(process.get(), 60'000) != WAIT_OBJECT_0) return ~0u;
  DWORD code = ~0u;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

}  // namespace vcam::camera::testing
