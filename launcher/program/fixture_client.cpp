// A stand-in client module for the launcher's whole-program tests. Its
// behaviour comes from "fixture_mode.txt" in its folder:
//   record    note the call and return false (also when the file is absent)
//   relaunch  note the call; return true while "relaunch_once" exists (deleting it)
//   fault     note the call, then write through a null pointer
// Every call appends "<pid>|<command line>|<current>|<latest>" as UTF-16 to
// "client_calls.txt", and drives the splash once, noting in "splash_calls.txt"
// whether the launcher's splash window of this process was on screen after
// the text and gone after the hide with destroy ("shown|destroyed").
#include <windows.h>

#include <string>

#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"

namespace {

std::wstring own_folder() {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&own_folder), &self);
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(self, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string read_small_file(const std::wstring& path) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  char buffer[64] = {};
  DWORD got = 0;
  ::ReadFile(f, buffer, sizeof buffer - 1, &got, nullptr);
  ::CloseHandle(f);
  std::string text(buffer, got);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

void append(const std::wstring& path, const std::wstring& line) {
  HANDLE f = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(f, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
  ::CloseHandle(f);
}

const wchar_t* w(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

HWND own_splash() {
  HWND window = ::FindWindowW(L"zelovcam_launcher_splash", nullptr);
  DWORD owner = 0;
  if (window) ::GetWindowThreadProcessId(window, &owner);
  return owner == ::GetCurrentProcessId() ? window : nullptr;
}

}  // namespace

extern "C" bool client_main(const vcam::launcher::ClientStartupBlock* block,
                            vcam::launcher::splash_window_interface* splash) {
  const std::wstring folder = own_folder();
  const std::string mode = read_small_file(folder + L"fixture_mode.txt");
  append(folder + L"client_calls.txt", std::to_wstring(::GetCurrentProcessId()) + L"|" + w(block->command_line) +
                                           L"|" + w(block->current_version) + L"|" + w(block->latest_version) + L"\n");
  splash->show_text(u"fixture");
  const HWND shown = own_splash();
  const bool visible = shown && ::IsWindowVisible(shown);
  splash->hide(true);
  append(folder + L"splash_calls.txt",
         std::wstring(visible ? L"shown" : L"not shown") + (own_splash() ? L"|kept\n" : L"|destroyed\n"));
  if (mode == "fault") {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
  if (mode == "relaunch") return ::DeleteFileW((folder + L"relaunch_once").c_str()) != FALSE;
  return false;
}
