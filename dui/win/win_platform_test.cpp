// The toolkit's runtime on real Windows (Wine): the dispatcher window, posting
// from other threads, fonts made with CreateFontIndirectW, repaint requests.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "dui/controls/title_bar.h"
#include "dui/layout/grid.h"
#include "dui/load/memory_file_source.h"
#include "dui/testing/counted_button.h"
#include "dui/win/ui_runtime_win.h"

namespace vcam::dui {
namespace {

using testing::CountedButton;

constexpr const wchar_t* kDispatcherClass = L"dui_win_test_Dispatcher";

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class WinRuntime : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Initialize(std::u16string(u"dui_win_test"))); }
  void TearDown() override { Shutdown(); }
};

TEST_F(WinRuntime, DispatcherIsAHiddenOnePixelToolWindowOfItsOwnClass) {
  HWND hwnd = ::FindWindowW(kDispatcherClass, nullptr);
  ASSERT_NE(hwnd, nullptr);
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT r{};
  ASSERT_TRUE(::GetWindowRect(hwnd, &r));
  EXPECT_EQ(r.right - r.left, 1);
  EXPECT_EQ(r.bottom - r.top, 1);
  EXPECT_EQ(::GetClassLongW(hwnd, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
  EXPECT_EQ(::GetParent(hwnd), nullptr);
}

TEST_F(WinRuntime, ShutdownDestroysTheDispatcherAndUnregistersItsClass) {
  Shutdown();
  EXPECT_EQ(::FindWindowW(kDispatcherClass, nullptr), nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  EXPECT_FALSE(::GetClassInfoExW(::GetModuleHandleW(nullptr), kDispatcherClass, &wc));
  EXPECT_TRUE(Initialize(std::u16string(u"dui_win_test"))) << "the toolkit can start again";
}

TEST_F(WinRuntime, EventPostedFromAWorkerRunsOnTheUiThread) {
  CountedButton b(EventKind::Click);
  bool posted = false;
  std::thread worker([&] { posted = b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}); });
  worker.join();
  EXPECT_TRUE(posted);
  EXPECT_EQ(b.counter.count, 0) << "nothing runs before the UI thread pumps";
  PumpMessages();
  EXPECT_EQ(b.counter.count, 1);
  EXPECT_EQ(b.counter.thread, std::this_thread::get_id());
}

TEST_F(WinRuntime, EventPostedToAControlDetachedMeanwhileRaisesNothing) {
  CountedButton b(EventKind::Click);
  ASSERT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  std::unique_ptr<Control> removed = b.root->RemoveChild(b.button);
  PumpMessages();
  EXPECT_EQ(b.counter.count, 0);
}

TEST_F(WinRuntime, ShutdownRunsPendingPostsAndLaterOnesAreRefused) {
  CountedButton b(EventKind::Click);
  ASSERT_TRUE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
  Shutdown();
  EXPECT_EQ(b.counter.count, 1);
  EXPECT_FALSE(b.button->PostEvent({EventKind::Click, Routing::Direct, 0, 0, 0}));
}

TEST_F(WinRuntime, FontsStartFromTheDefaultGuiFont) {
  auto pack = std::make_unique<MemoryFileSource>();
  pack->Put(u"font.xml", "\xEF\xBB\xBF<Fonts>"
                         "<Font name=\"Default.Bold\" face=\"Tahoma\" size=\"12\" bold=\"true\"/>"
                         "<Font name=\"Default\" underline=\"true\"/>"
                         "</Fonts>");
  UiRuntime::Instance()->SetSkinSource(std::move(pack));

  LOGFONTW gui{};
  ASSERT_TRUE(::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui));
  HFONT bold = static_cast<HFONT>(UiRuntime::Instance()->GetFont(u"Default.Bold"));
  ASSERT_NE(bold, nullptr);
  LOGFONTW lf{};
  ASSERT_TRUE(::GetObjectW(bold, sizeof lf, &lf));
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");

  HFONT plain = static_cast<HFONT>(UiRuntime::Instance()->GetFont(u"Default"));
  ASSERT_NE(plain, nullptr);
  ASSERT_TRUE(::GetObjectW(plain, sizeof lf, &lf));
  EXPECT_EQ(lf.lfHeight, gui.lfHeight);
  EXPECT_EQ(lf.lfWeight, gui.lfWeight);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_STREQ(lf.lfFaceName, gui.lfFaceName);
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcW(h, m, w, l); }

TEST_F(WinRuntime, RepaintSendsEveryThreadWindowTheRepaintRequest) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"dui_win_test_plain";
  ::RegisterClassExW(&wc);
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  RepaintThreadWindows();
  MSG msg;
  const UINT repaint = UiRuntime::Instance()->profile().repaint_message;
  EXPECT_EQ(repaint, WM_USER + 4u);
  EXPECT_TRUE(::PeekMessageW(&msg, hwnd, repaint, repaint, PM_REMOVE));
  ::DestroyWindow(hwnd);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

// Keeps the last WM_SYSCOMMAND instead of running it (a move loop would wait
// for the mouse).
WPARAM g_command = 0;
LPARAM g_command_lparam = -1;
LRESULT CALLBACK CommandProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SYSCOMMAND) {
    g_command = w;
    g_command_lparam = l;
    return 0;
  }
  return ::DefWindowProcW(h, m, w, l);
}

TEST_F(WinRuntime, TitleBarPressSendsTheCaptionMoveToItsWindow) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &CommandProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"dui_win_test_command";
  ::RegisterClassExW(&wc);
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);

  testing::TestWindow window;
  window.native_handle = hwnd;
  Grid root;
  Control* bar = root.AddChild(std::make_unique<TitleBar>());
  root.Attach(&window);
  EventArgs down{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
  bar->RaiseEvent(down);
  // Sent, not posted: the command has arrived when the handler returns.
  EXPECT_EQ(g_command, 0xF012u);
  EXPECT_EQ(g_command_lparam, 0);
  root.Detach();

  ::DestroyWindow(hwnd);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace vcam::dui
