// Modal loops, the shared window procedure and window objects going away.
#include <gtest/gtest.h>

#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

constexpr UINT kDestroyYourself = WM_APP + 1;
constexpr UINT kReportDepth = WM_APP + 2;

// An application window: Enter and Escape end the dialog with 1 and 2; one
// private message destroys the window from inside its own modal loop.
class AppWindow : public WindowImpl {
 public:
  explicit AppWindow(bool* deleted = nullptr) : deleted_(deleted) {}
  ~AppWindow() override {
    if (deleted_) *deleted_ = true;
  }
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_KEYDOWN && wparam == VK_RETURN) {
      EndDialog(1);
      return 0;
    }
    if (message == WM_KEYDOWN && wparam == VK_ESCAPE) {
      EndDialog(2);
      return 0;
    }
    if (message == kDestroyYourself) {
      ::DestroyWindow(hwnd());
      return 0;
    }
    return WindowImpl::WindowProc(message, wparam, lparam);
  }

 private:
  bool* deleted_;
};

using Dialog = HostTest;

TEST_F(Dialog, EnterAndEscapeEndTheModalLoopWithTheirResults) {
  for (auto [key, result] : {std::pair{VK_RETURN, 1}, {VK_ESCAPE, 2}}) {
    WindowImpl* w = Open(R"(<Grid initSize="200,100"/>)", new AppWindow, /*show=*/false);
    ASSERT_NE(w, nullptr);
    ::PostMessageW(w->hwnd(), WM_KEYDOWN, key, 0);
    EXPECT_EQ(w->ShowDialog(), result);
    EXPECT_EQ(w->dialog_result(), result);
    EXPECT_TRUE(::IsWindow(w->hwnd())) << "the caller destroys it";
    EXPECT_FALSE(::IsWindowVisible(w->hwnd())) << "hidden when the loop ends";
    RECT r{};
    ::GetWindowRect(w->hwnd(), &r);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 200) / 2) << "centred when shown";
    ::DestroyWindow(w->hwnd());
  }
}

TEST_F(Dialog, ZeroDoesNotEndTheLoop) {
  WindowImpl* w = Open(R"(<Grid initSize="200,100"/>)", new AppWindow, false);
  w->EndDialog(0);
  ::PostMessageW(w->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(w->ShowDialog(), 2);
}

TEST_F(Dialog, QuitInsideTheLoopDestroysTheWindowReturnsZeroAndPostsQuitAgain) {
  bool deleted = false;
  WindowImpl* w = Open(R"(<Grid initSize="200,100"/>)", new AppWindow(&deleted), false);
  const HWND hwnd = w->hwnd();
  ::PostQuitMessage(7);
  EXPECT_EQ(w->ShowDialog(), 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(deleted);
  MSG msg{};
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "for the outer loop";
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Dialog, WindowDestroyedInsideItsModalLoopEndsItWithZero) {
  bool deleted = false;
  WindowImpl* w = Open(R"(<Grid initSize="200,100"/>)", new AppWindow(&deleted), false);
  const HWND hwnd = w->hwnd();
  ::PostMessageW(hwnd, kDestroyYourself, 0, 0);
  EXPECT_EQ(w->ShowDialog(), 0);
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(::IsWindow(hwnd));
}

// A bare window object over a class of its own, on the shared procedure.
class BareWindow : public WindowBase {
 public:
  explicit BareWindow(bool* deleted) : deleted_(deleted) {}
  ~BareWindow() override { *deleted_ = true; }
  bool Make(const wchar_t* cls) {
    HWND hwnd = ::CreateWindowExW(0, cls, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd) Adopt(hwnd);
    return hwnd != nullptr;
  }
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kReportDepth) return WindowBase::SysCommandDepth();
    if (message == WM_SYSCOMMAND && wparam == 0x1230) return ::SendMessageW(hwnd(), kReportDepth, 0, 0);
    return WindowBase::WindowProc(message, wparam, lparam);
  }

 private:
  bool* deleted_;
};

TEST_F(Dialog, SharedProcedureFindsTheObjectCountsSysCommandsAndDeletesOnDestroy) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowBase::SharedWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"dui_window_host_test_bare";
  ASSERT_TRUE(::RegisterClassExW(&wc));
  bool deleted = false;
  auto* bare = new BareWindow(&deleted);
  ASSERT_TRUE(bare->Make(wc.lpszClassName));
  const HWND hwnd = bare->hwnd();
  EXPECT_EQ(WindowBase::FromHandle(hwnd), bare);
  EXPECT_EQ(::SendMessageW(hwnd, kReportDepth, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(hwnd, WM_SYSCOMMAND, 0x1230, 0), 1) << "inside one WM_SYSCOMMAND";
  EXPECT_EQ(WindowBase::SysCommandDepth(), 0);
  ::DestroyWindow(hwnd);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(WindowBase::FromHandle(hwnd), nullptr);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST_F(Dialog, WindowWithoutAnObjectGetsDefaultProcessing) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowBase::SharedWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"dui_window_host_test_plain";
  ASSERT_TRUE(::RegisterClassExW(&wc));
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"title", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowBase::FromHandle(hwnd), nullptr);
  wchar_t text[16] = {};
  EXPECT_EQ(::GetWindowTextW(hwnd, text, 16), 5) << "DefWindowProcW kept the title";
  ::DestroyWindow(hwnd);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST_F(Dialog, CreateWithoutARuntimeFailsAndAFailedCreateAdoptsNothing) {
  auto* w = new WindowImpl;
  w->SetRoot(testing::BuildTree(R"(<Grid/>)"));
  // A parent that does not exist makes CreateWindowExW fail.
  EXPECT_FALSE(w->Create(0, WS_CHILD, 0, 0, 10, 10, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7fff0))));
  EXPECT_EQ(w->hwnd(), nullptr);
  delete w;
  WindowImpl* next = Open(R"(<Grid initSize="20,20"/>)");
  ASSERT_NE(next, nullptr) << "the next window is adopted by its own object";
  EXPECT_EQ(WindowBase::FromHandle(next->hwnd()), next);
  ::DestroyWindow(next->hwnd());

  Shutdown();
  auto* orphan = new WindowImpl;
  EXPECT_FALSE(orphan->Create(0, WS_POPUP, 0, 0, 10, 10, nullptr));
  delete orphan;
  ASSERT_TRUE(Initialize(std::u16string(u"dui_window_host_test")));
}

}  // namespace
}  // namespace vcam::dui::wintest
