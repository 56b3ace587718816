#include "launcher/windows/win/windows_test_support.h"

#include <vector>

#include "common/win/folders.h"
#include "common/win/wide.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/ui_runtime_win.h"
#include "dui/window/screen_placement.h"
#include "launcher/pack/zelopack_file_source.h"

namespace vcam::launcher::wintest {

namespace {

std::function<void()> g_step;
UINT_PTR g_step_timer = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  ::KillTimer(nullptr, g_step_timer);
  g_step_timer = 0;
  std::function<void()> step = std::move(g_step);
  g_step = nullptr;
  if (step) step();
}

bool FileExists(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CALLBACK CollectObjectWindow(HWND hwnd, LPARAM lparam) {
  if (dui::WindowBase::FromHandle(hwnd)) reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > limit_ms) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

std::u16string Resource(const char16_t* name) { return application_folder() + u"resource\\" + name; }

RECT WindowRect(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

POINT CentredOrigin(int width, int height) {
  const dui::Point p =
      dui::CenteredOrigin({::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, {width, height});
  return {p.x, p.y};
}

void RunInsideModalLoop(std::function<void()> step, UINT delay_ms) {
  g_step = std::move(step);
  g_step_timer = ::SetTimer(nullptr, 0, delay_ms, &RunStep);
  ASSERT_NE(g_step_timer, 0u);
}

void ClickControl(dui::WindowImpl& window, const dui::Control& control) {
  const dui::Rect r = control.GetWindowRect();
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const LPARAM at = MAKELPARAM(p.x, p.y);
  ::ClientToScreen(window.hwnd(), &p);
  ::SetCursorPos(p.x, p.y);
  const HWND hwnd = window.hwnd();
  ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

int CountNear(const dui::BackBuffer& b, const RECT& r, std::uint32_t rgb, int tolerance) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const std::uint32_t c = Rgb(b, x, y);
      bool close = true;
      for (int shift : {0, 8, 16}) {
        const int d = static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) close = false;
      }
      n += close ? 1 : 0;
    }
  return n;
}

void LauncherWindows::SetUp() {
  for (const char16_t* name : {u"style_pro.zeloz", u"frame_pro.zeloz", u"splash\\default"})
    ASSERT_TRUE(FileExists(Resource(name)))
        << "the build stages resource\\" << std::string(name, name + std::char_traits<char16_t>::length(name))
        << " beside the test from the host build's artwork: build the host target `art`, then this test";
  ASSERT_TRUE(dui::Initialize(std::u16string(u"launcher_windows_test")));
  dui::UiRuntime& runtime = *dui::UiRuntime::Instance();
  runtime.SetPackOpener(&open_zelopack_source);
  ASSERT_TRUE(runtime.LoadSkinPack(Resource(u"style_pro.zeloz")));
  ASSERT_TRUE(runtime.LoadRuleFile(u"skin_b4ae00"));
  runtime.OpenLayoutPack(Resource(u"frame_pro.zeloz"));
  ParkCursor();
}

void LauncherWindows::TearDown() {
  DestroyThreadWindows();
  Pump();
  dui::Shutdown();
}

void LauncherWindows::DestroyThreadWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectObjectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows)
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

}  // namespace vcam::launcher::wintest
