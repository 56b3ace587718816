// The uninstaller's start-up: vcam_uninstall.exe started from a scratch
// folder (not the registered installation, so even a run that went wrong
// would touch no system-wide state) until its skinned window is shown and
// answers a message, against bare_window.exe, the smallest window program,
// started the same way in the same run. The difference is the uninstaller's
// own start-up (guards, sweep, embedded containers, toolkit, skin, layout,
// window script). Each uninstaller is then cancelled with its cancel button,
// so nothing is removed; the bench checks that the copy survived, and
// reports the time from the close to the process gone as close_ms.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;

fs::path stage() {
  const fs::path build = fs::path(wide(application_folder()));
  const fs::path scratch =
      fs::temp_directory_path() / ("vcam_uninstall_bench_" + std::to_string(::GetCurrentProcessId()));
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(build / ".." / "program" / "vcam_uninstall.exe", scratch / "vcam_uninstall.exe");
  fs::copy_file(build / "bare_window.exe", scratch / "bare_window.exe");
  return scratch;
}

// Staged once for the run and removed at exit.
struct staged_folder {
  fs::path path = stage();
  ~staged_folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

const fs::path& staged() {
  static const staged_folder folder;
  return folder.path;
}

struct Search {
  DWORD process;
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM context) {
  auto* s = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  // The shadow beside a skinned window is shown too, but lets the mouse through.
  if (owner != s->process || std::wstring(name) != s->class_name || !::IsWindowVisible(window) ||
      (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
    return TRUE;
  s->found = window;
  return FALSE;
}

// Presses the uninstaller's cancel button: 136 x 43, right-aligned 170 pixels
// in, in the 80-pixel bar at the bottom of the 645 x 400 window. The toolkit
// hit-tests at the real cursor, so the cursor goes there first.
void press_cancel(HWND window) {
  POINT at{407, 360};
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

void close_window(HWND window) { ::PostMessageW(window, WM_CLOSE, 0, 0); }

void start_to_window(benchmark::State& state, const wchar_t* program, const wchar_t* class_name,
                     void (*close)(HWND)) {
  const fs::path exe = staged() / program;
  double closing_ms = 0;
  for (auto _ : state) {
    std::wstring line = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto begin = std::chrono::steady_clock::now();
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, staged().c_str(), &startup,
                          &info)) {
      state.SkipWithError("the program did not start");
      return;
    }
    UniqueHandle process(info.hProcess), thread(info.hThread);
    Search s{info.dwProcessId, class_name, nullptr};
    while (!s.found && ::WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT) {
      if (std::chrono::steady_clock::now() - begin > std::chrono::seconds(30)) break;
      ::EnumWindows(match, reinterpret_cast<LPARAM>(&s));
    }
    DWORD_PTR ignored = 0;
    if (s.found) ::SendMessageTimeoutW(s.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    const auto shown = std::chrono::steady_clock::now();
    if (!s.found) {
      // A refused start (another installer running, a restart pending) ends
      // without the window, or waits behind its message box.
      const bool ended = ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
      ::TerminateProcess(process.get(), 1);
      state.SkipWithError(ended ? "the program ended without showing its window" : "no window was shown in 30 s");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(shown - begin).count());
    close(s.found);
    if (::WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.get(), 1);
      state.SkipWithError("the program did not end after it was closed");
      return;
    }
    closing_ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - shown).count();
    if (!fs::exists(exe)) {
      state.SkipWithError("the cancelled uninstaller removed itself");
      return;
    }
  }
  // From the close (or cancel) to the process gone: the shutdown's cost.
  state.counters["close_ms"] = benchmark::Counter(closing_ms, benchmark::Counter::kAvgIterations);
}

void BM_BareWindowShown(benchmark::State& state) {
  start_to_window(state, L"bare_window.exe", L"vcam_bare_window", &close_window);
}
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UninstallerWindowShown(benchmark::State& state) {
  start_to_window(state, L"vcam_uninstall.exe", L"WINDOW:234:000", &press_cancel);
}
BENCHMARK(BM_UninstallerWindowShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)
    ->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vcam::uninstaller
