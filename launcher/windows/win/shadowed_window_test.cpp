// The dialogs' drop shadow: a layered, click-through window owned by the
// dialog, 20/14/16/21 pixels larger, that follows it.
#include <gtest/gtest.h>

#include "launcher/windows/progress_window.h"
#include "launcher/windows/shadow_margins.h"
#include "launcher/windows/shadowed_proxy_window.h"
#include "launcher/windows/win/windows_test_support.h"

namespace vcam::launcher::wintest {
namespace {

class ShadowedWindow : public LauncherWindows {
 protected:
  progress_window* Open() {
    auto* w = new progress_window(L"shadow", 10);
    if (!w->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete w;
      ADD_FAILURE() << "Create failed";
      return nullptr;
    }
    return w;
  }
  static void ExpectAround(HWND shadow, HWND owner) {
    const RECT o = WindowRect(owner);
    const RECT s = WindowRect(shadow);
    EXPECT_EQ(s.left, o.left - 20);
    EXPECT_EQ(s.top, o.top - 14);
    EXPECT_EQ(s.right, o.right + 16);
    EXPECT_EQ(s.bottom, o.bottom + 21);
  }
};

TEST_F(ShadowedWindow, TheShadowIsALayeredClickThroughWindowOwnedByTheDialog) {
  progress_window* w = Open();
  ASSERT_NE(w, nullptr);
  const HWND shadow = w->shadow();
  ASSERT_NE(shadow, nullptr);
  EXPECT_NE(dynamic_cast<shadowed_proxy_window*>(dui::WindowBase::FromHandle(shadow)), nullptr);
  EXPECT_EQ(::GetWindow(shadow, GW_OWNER), w->hwnd());
  const LONG_PTR ex = ::GetWindowLongPtrW(shadow, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED),
            WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  EXPECT_TRUE(::GetWindowLongPtrW(shadow, GWL_STYLE) & WS_POPUP);
  EXPECT_FALSE(::IsWindowVisible(shadow)) << "hidden like its owner";
  ExpectAround(shadow, w->hwnd());
}

TEST_F(ShadowedWindow, TheShadowFollowsMovesSizesShowAndHide) {
  progress_window* w = Open();
  ASSERT_NE(w, nullptr);
  const HWND shadow = w->shadow();
  ::SetWindowPos(w->hwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectAround(shadow, w->hwnd());
  ::SetWindowPos(w->hwnd(), nullptr, 0, 0, 500, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectAround(shadow, w->hwnd());
  EXPECT_EQ(WindowRect(shadow).right - WindowRect(shadow).left, 500 + 20 + 16);
  ::ShowWindow(w->hwnd(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(::IsWindowVisible(shadow));
  ::ShowWindow(w->hwnd(), SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(shadow));
}

TEST_F(ShadowedWindow, TheShadowPaintsAroundTheDialogAndLeavesItsPlaceClear) {
  progress_window* w = Open();
  ASSERT_NE(w, nullptr);
  ::SetWindowPos(w->hwnd(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(w->hwnd(), SW_SHOWNOACTIVATE);
  Pump();  // the posted repaint request flushes the layered window
  auto* proxy = dynamic_cast<dui::WindowImpl*>(dui::WindowBase::FromHandle(w->shadow()));
  ASSERT_NE(proxy, nullptr);
  const dui::BackBuffer& b = proxy->back_buffer();
  const RECT owner = WindowRect(w->hwnd());
  ASSERT_EQ(b.width(), owner.right - owner.left + 36);
  ASSERT_EQ(b.height(), owner.bottom - owner.top + 35);
  const int cx = b.width() / 2;
  EXPECT_EQ(Alpha(b, cx, b.height() / 2), 0u) << "the dialog's own place is transparent";
  EXPECT_GT(Alpha(b, cx, b.height() - shadow_margins::bottom + 4), 0u) << "shadow under the dialog";
  EXPECT_GT(Alpha(b, shadow_margins::left - 4, b.height() / 2), 0u) << "and beside it";
  EXPECT_LT(Alpha(b, 0, 0), Alpha(b, cx, b.height() - shadow_margins::bottom + 4)) << "fading outwards";
}

TEST_F(ShadowedWindow, DestroyingTheDialogDestroysItsShadow) {
  progress_window* w = Open();
  ASSERT_NE(w, nullptr);
  const HWND shadow = w->shadow();
  ::DestroyWindow(w->hwnd());
  EXPECT_FALSE(::IsWindow(shadow));
  EXPECT_EQ(dui::WindowBase::FromHandle(shadow), nullptr) << "and its object";
}

}  // namespace
}  // namespace vcam::launcher::wintest
