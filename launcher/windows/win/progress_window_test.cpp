// The progress window in a real window: its texts, its bar and its modal loop.
#include <gtest/gtest.h>

#include "dui/controls/progress_bar.h"
#include "launcher/windows/progress_window.h"
#include "launcher/windows/win/windows_test_support.h"

namespace vcam::launcher::wintest {
namespace {

class ProgressWindow : public LauncherWindows {
 protected:
  progress_window* Open(unsigned maximum) {
    auto* w = new progress_window(L"正在下载解码器...", maximum);
    if (!w->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete w;
      ADD_FAILURE() << "Create failed";
      return nullptr;
    }
    return w;
  }
  static dui::ProgressBar* Bar(progress_window* w) {
    return dynamic_cast<dui::ProgressBar*>(w->GetChild(progress_window::kBar));
  }
  // The bar's inner rectangle as the artwork draws it (no progressmargin).
  static RECT BarRect(progress_window* w) {
    const dui::Rect r = Bar(w)->GetWindowRect();
    return {r.left, r.top, r.right, r.bottom};
  }
  // Shows the window without activating it and paints it.
  static void Paint(progress_window* w) {
    ::ShowWindow(w->hwnd(), SW_SHOWNOACTIVATE);
    ::RedrawWindow(w->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  }
};

TEST_F(ProgressWindow, CreationFillsTheStatusAndTheRangeAndCentresTheWindow) {
  progress_window* w = Open(1000);
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->GetChild(progress_window::kStatusLabel), nullptr);
  EXPECT_EQ(w->GetChild(progress_window::kStatusLabel)->GetText(), u"正在下载解码器...");
  ASSERT_NE(Bar(w), nullptr);
  EXPECT_EQ(Bar(w)->range, 1000);
  EXPECT_EQ(Bar(w)->position, 0);
  const RECT r = WindowRect(w->hwnd());
  EXPECT_EQ(r.right - r.left, 420) << "the layout's size";
  EXPECT_EQ(r.bottom - r.top, 150);
  const POINT centred = CentredOrigin(420, 150);
  EXPECT_EQ(r.left, centred.x);
  EXPECT_EQ(r.top, centred.y);
  EXPECT_FALSE(::IsWindowVisible(w->hwnd())) << "ShowDialog shows it";
}

TEST_F(ProgressWindow, ThreeEighthsShowsTheLabelAndFillsThreeEighthsOfTheBar) {
  progress_window* w = Open(8000);
  ASSERT_NE(w, nullptr);
  w->set_progress(3000);
  EXPECT_EQ(w->GetChild(progress_window::kPercentLabel)->GetText(), u"37.50%");
  EXPECT_EQ(Bar(w)->position, 3000);
  Paint(w);
  const dui::BackBuffer& b = w->back_buffer();
  const RECT bar = BarRect(w);
  const int y = (bar.top + bar.bottom) / 2;
  const int fill = (bar.right - bar.left) * 3 / 8;
  // The fill is in the skin colour, the rest in the bar's grey background.
  const std::uint32_t filled = Rgb(b, bar.left + fill / 2, y);
  const std::uint32_t empty = Rgb(b, bar.right - 20, y);
  EXPECT_NE(filled, empty);
  EXPECT_EQ(Rgb(b, bar.left + fill - 2, y), filled) << "filled up to three eighths";
  EXPECT_EQ(Rgb(b, bar.left + fill + 2, y), empty) << "and no further";
  // The percentage label is painted: grey text pixels right-aligned under the bar.
  const dui::Rect label = w->GetChild(progress_window::kPercentLabel)->GetWindowRect();
  EXPECT_GT(CountNear(b, {label.left, label.top, label.right, label.bottom}, 0x999999, 0x30), 5);
}

TEST_F(ProgressWindow, AboveTheMaximumTheBarIsFullAndTheLabelIsNotClamped) {
  progress_window* w = Open(1000);
  ASSERT_NE(w, nullptr);
  w->set_progress(1500);
  EXPECT_EQ(w->GetChild(progress_window::kPercentLabel)->GetText(), u"150.00%");
  EXPECT_EQ(Bar(w)->position, 1000);
  EXPECT_EQ(Bar(w)->range, 1000);
  Paint(w);
  const dui::BackBuffer& b = w->back_buffer();
  const RECT bar = BarRect(w);
  const int y = (bar.top + bar.bottom) / 2;
  EXPECT_EQ(Rgb(b, bar.right - 6, y), Rgb(b, bar.left + 6, y)) << "filled to the end";
  EXPECT_EQ(Rgb(b, bar.right + 2, y), Rgb(b, bar.left - 2, y)) << "and not past it";
}

TEST_F(ProgressWindow, SetResultEndsTheModalLoopWithItsValue) {
  for (int result : {1, 2}) {
    progress_window* w = Open(100);
    ASSERT_NE(w, nullptr);
    const HWND hwnd = w->hwnd();
    RunInsideModalLoop([w, result] {
      EXPECT_TRUE(::IsWindowVisible(w->hwnd())) << "shown by the modal loop";
      w->set_progress(50);
      w->set_result(result);
    });
    EXPECT_EQ(w->ShowDialog(), result);
    EXPECT_EQ(w->GetChild(progress_window::kPercentLabel)->GetText(), u"50.00%");
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(::IsWindow(hwnd));
  }
}

}  // namespace
}  // namespace vcam::launcher::wintest
