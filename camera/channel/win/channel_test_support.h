#pragma once
// Helpers of the Windows channel tests: private object names, named events,
// helper processes and a second view of a region, as another party sees it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "camera/channel/channel_names.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera::testing {

// The real names with a suffix of this process and `tag`, so that tests
// running at the same time never share objects.
inline std::u16string test_suffix(const char16_t* tag) {
  const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
  return std::u16string(u"-test-") + tag + u"-" + std::u16string(u16(pid.c_str()));
}
inline RegionNames test_names(const RegionNames& base, const std::u16string& suffix) {
  return {base.mutex + suffix, base.region + suffix};
}

class NamedEvent {
 public:
  explicit NamedEvent(const char16_t* tag) : name_(L"vcam-test-event" + std::wstring(wide(test_suffix(tag)))) {
    handle_.reset(::CreateEventW(nullptr, TRUE, FALSE, name_.c_str()));
  }
  const std::wstring& name() const { return name_; }
  HANDLE get() const { return handle_.get(); }
  void set() { ::SetEvent(handle_.get()); }
  bool wait(DWORD ms) { return ::WaitForSingleObject(handle_.get(), ms) == WAIT_OBJECT_0; }

 private:
  std::wstring name_;
  UniqueHandle handle_;
};

// A program next to the test executable, started with `args`.
class Process {
 public:
  Process(const wchar_t* program, const std::wstring& args) {
    std::wstring cmd = L"\"" + std::wstring(wide(application_folder())) + program + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      process_.reset(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
  }
  ~Process() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.get(), 99);
  }
  explicit operator bool() const { return static_cast<bool>(process_); }
  // The exit code, or -1 when the process does not end within `ms`.
  long wait(DWORD ms) {
    if (!process_ || ::WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
  }

 private:
  UniqueHandle process_;
};

// Maps an existing region by name, independently of the object under test.
class RawView {
 public:
  RawView(const std::u16string& name, std::size_t size) : size_(size) {
    mapping_.reset(::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, wide(name)));
    if (mapping_) view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, size));
  }
  explicit operator bool() const { return static_cast<bool>(view_); }
  std::uint8_t* bytes() const { return static_cast<std::uint8_t*>(view_.get()); }
  std::size_t size() const { return size_; }
  bool all_zero() const {
    for (std::size_t i = 0; i < size_; ++i)
      if (bytes()[i]) return false;
    return true;
  }

 private:
  std::size_t size_;
  UniqueHandle mapping_;
  UniqueView view_;
};

}  // namespace vcam::camera::testing
