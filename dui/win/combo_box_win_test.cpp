// Combo boxes in real windows: the popup's size and side, and every way its
// loop ends (a choice, a press outside, deactivation, WM_QUIT, the combo box
// going away).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dui/controls/combo_box.h"
#include "dui/controls/list_box.h"
#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_profile.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/combo_helper_wnd.h"
#include "dui/win/win_platform.h"
#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

// What a thread timer does while the popup's loop runs; the loop dispatches it.
std::function<void()>* g_in_loop = nullptr;
void CALLBACK RunInLoop(HWND, UINT, UINT_PTR, DWORD) {
  if (g_in_loop) (*g_in_loop)();
}

class ComboBoxes : public HostTest {
 protected:
  void TearDown() override {
    g_in_loop = nullptr;
    HostTest::TearDown();
  }
  // A 300 x 200 window with a 120 x 24 combo box at (20, 20) holding `n` rows.
  ComboBox* OpenCombo(int n) {
    window_ = Open(R"(<Canvas initSize="300,200"><ComboBox id="5" x="20" y="20" width="120" height="24"/></Canvas>)");
    if (!window_) return nullptr;
    auto* combo = static_cast<ComboBox*>(window_->GetChild(5));
    for (int i = 0; i < n; ++i) combo->AddItem(u"item " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    combo->AddHandler(EventKind::ValueChange, &changes_, &CountChange);
    return combo;
  }
  static void CountChange(void* context, Control*, EventArgs&) { ++*static_cast<int*>(context); }
  static ComboHelperWnd* PopupOf(ComboBox* combo) { return dynamic_cast<ComboHelperWnd*>(combo->popup()); }

  // Drops the combo box down; `step` runs every 30 ms inside the popup's loop
  // until the drop-down returns.
  void DropDownWhile(ComboBox* combo, std::function<void()> step) {
    g_in_loop = &step;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &RunInLoop);
    combo->DropDown();
    ::KillTimer(nullptr, timer);
    g_in_loop = nullptr;
  }
  // Inside the loop: the popup's window rectangle on the first call.
  std::function<void()> Measure(ComboBox* combo, std::function<void()> then) {
    return [this, combo, then] {
      if (ComboHelperWnd* popup = PopupOf(combo); popup && !measured_) {
        ::GetWindowRect(popup->hwnd(), &popup_rect_);
        visible_ = ::IsWindowVisible(popup->hwnd()) != FALSE;
        active_ = ::GetActiveWindow() == popup->hwnd();
        measured_ = true;
      }
      if (then) then();
    };
  }
  // A press and release at a point of the popup's client area, as the mouse makes them.
  static void ClickPopup(ComboHelperWnd* popup, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(popup->hwnd(), &p);
    ::SetCursorPos(p.x, p.y);
    ::PostMessageW(popup->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(popup->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  WindowImpl* window_ = nullptr;
  int changes_ = 0;
  RECT popup_rect_{};
  bool measured_ = false;
  bool visible_ = false;
  bool active_ = false;
};

TEST_F(ComboBoxes, ChoosingARowClosesA184PixelPopupBelowAndTakesTheRowText) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  bool clicked = false;
  DropDownWhile(combo, Measure(combo, [&] {
    if (clicked) return;
    clicked = true;
    ClickPopup(PopupOf(combo), 60, 2 + 2 * 30 + 15);  // the third row
  }));
  ASSERT_TRUE(measured_);
  EXPECT_TRUE(visible_);
  EXPECT_TRUE(active_);
  POINT origin{20, 20};
  ::ClientToScreen(window_->hwnd(), &origin);
  EXPECT_EQ(popup_rect_.bottom - popup_rect_.top, 184);
  EXPECT_EQ(popup_rect_.right - popup_rect_.left, 120);
  EXPECT_EQ(popup_rect_.left, origin.x);
  EXPECT_EQ(popup_rect_.top, origin.y + 24 - 1);
  EXPECT_TRUE(combo->opened_below());
  EXPECT_FALSE(combo->dropped());
  EXPECT_EQ(combo->GetText(), u"item 2");
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(combo->list()->GetSelectedText(), u"item 2");
  EXPECT_FALSE(::IsWindowVisible(PopupOf(combo)->hwnd()));
  // Six rows show in the popup: the list is 180 pixels inside the 2-pixel margin.
  EXPECT_EQ(combo->list()->rect(), (Rect{2, 2, 118, 182}));
}

TEST_F(ComboBoxes, NearTheScreenBottomThePopupOpensAbove) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  const int screen = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(window_->hwnd(), nullptr, kLeft, screen - 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DropDownWhile(combo, Measure(combo, [&] { PopupOf(combo)->EndLoop(); }));
  ASSERT_TRUE(measured_);
  POINT origin{20, 20};
  ::ClientToScreen(window_->hwnd(), &origin);
  EXPECT_FALSE(combo->opened_below());
  EXPECT_EQ(popup_rect_.top, origin.y - 6 * 30 - 1);
  EXPECT_EQ(popup_rect_.bottom - popup_rect_.top, 184);
  EXPECT_EQ(changes_, 0);
}

TEST_F(ComboBoxes, AShortListGetsAShortPopupAndAnEmptyOneNone) {
  ComboBox* combo = OpenCombo(2);
  ASSERT_NE(combo, nullptr);
  DropDownWhile(combo, Measure(combo, [&] { PopupOf(combo)->EndLoop(); }));
  EXPECT_EQ(popup_rect_.bottom - popup_rect_.top, 64);
  ComboBox* empty = OpenCombo(0);
  measured_ = false;
  DropDownWhile(empty, Measure(empty, nullptr));
  EXPECT_FALSE(measured_) << "nothing to drop";
}

TEST_F(ComboBoxes, PressOutsideClosesThePopupAndRestoresTheHighlight) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  combo->list()->Select(combo->list()->item_at(4));
  bool highlight_cleared = false;
  bool pressed = false;
  DropDownWhile(combo, [&] {
    if (pressed) return;
    pressed = true;
    highlight_cleared = combo->list()->selected() == nullptr;
    // In the combo box's window, right of the popup.
    ::PostMessageW(window_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 100));
  });
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(highlight_cleared);
  EXPECT_EQ(combo->list()->selected(), combo->list()->item_at(4));
  EXPECT_EQ(changes_, 0);
  EXPECT_EQ(combo->GetText(), u"");
  EXPECT_FALSE(::IsWindowVisible(PopupOf(combo)->hwnd()));
}

TEST_F(ComboBoxes, AnotherActiveWindowClosesThePopup) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  int steps = 0;
  DropDownWhile(combo, [&] {
    if (++steps == 1) ::SetActiveWindow(window_->hwnd());
  });
  EXPECT_GE(steps, 1);
  EXPECT_NE(::GetActiveWindow(), PopupOf(combo)->hwnd());
  EXPECT_FALSE(::IsWindowVisible(PopupOf(combo)->hwnd()));
  EXPECT_EQ(changes_, 0);
}

TEST_F(ComboBoxes, QuitEndsTheLoopAndIsPostedAgainForTheOuterLoop) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  bool posted = false;
  DropDownWhile(combo, [&] {
    if (!posted) ::PostQuitMessage(9);
    posted = true;
  });
  MSG msg{};
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 9u);
  EXPECT_FALSE(combo->dropped());
  EXPECT_FALSE(::IsWindowVisible(PopupOf(combo)->hwnd()));
  // The popup is still usable.
  measured_ = false;
  DropDownWhile(combo, Measure(combo, [&] { PopupOf(combo)->EndLoop(); }));
  EXPECT_TRUE(measured_);
}

TEST_F(ComboBoxes, RemovingTheComboBoxWhileOpenClosesItsPopup) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  const HWND popup = PopupOf(combo)->hwnd();
  bool removed = false;
  DropDownWhile(combo, [&] {
    if (removed) return;
    removed = true;
    auto* parent = static_cast<Panel*>(combo->parent());
    std::unique_ptr<Control> gone = parent->RemoveChild(combo);  // destroyed here
  });
  EXPECT_TRUE(removed);
  Pump();  // the WM_CLOSE the combo box posted
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(window_->GetChild(5), nullptr);
}

TEST_F(ComboBoxes, DestroyingTheWindowWhileOpenTakesThePopupAlong) {
  ComboBox* combo = OpenCombo(10);
  ASSERT_NE(combo, nullptr);
  const HWND popup = PopupOf(combo)->hwnd();
  const HWND host = window_->hwnd();
  DropDownWhile(combo, [&] {
    if (::IsWindow(host)) ::DestroyWindow(host);
  });
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_FALSE(::IsWindow(host));
}

TEST_F(ComboBoxes, PressingTheComboBoxDropsItDown) {
  ComboBox* combo = OpenCombo(3);
  ASSERT_NE(combo, nullptr);
  bool chosen = false;
  g_in_loop = nullptr;
  std::function<void()> step = Measure(combo, [&] {
    if (chosen) return;
    chosen = true;
    ClickPopup(PopupOf(combo), 60, 2 + 30 + 15);
  });
  g_in_loop = &step;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &RunInLoop);
  LeftDown(window_, 30, 30);  // returns when the popup closed
  ::KillTimer(nullptr, timer);
  g_in_loop = nullptr;
  EXPECT_TRUE(measured_);
  EXPECT_EQ(combo->GetText(), u"item 1");
  EXPECT_EQ(changes_, 1);
}

// The style file of the popup's background, as each application's skin names it.
std::u16string PopupStyle() {
  ComboBox combo;
  ComboHelperWnd* popup = ComboHelperWnd::Create(combo);
  if (!popup) return u"<no popup>";
  const std::u16string* style = popup->root() ? popup->root()->FindString(attr::style) : nullptr;
  std::u16string result = style ? *style : u"<none>";
  ::DestroyWindow(popup->hwnd());
  return result;
}

TEST(ComboPopupStyle, FollowsTheProfile) {
  ASSERT_TRUE(Initialize(u"combo_style_launcher", std::make_unique<WinPlatform>()));
  EXPECT_EQ(PopupStyle(), u"combobox_dropped.xml");
  Shutdown();
  ASSERT_TRUE(Initialize(u"combo_style_uninstaller", std::make_unique<WinPlatform>(), UiProfile::Uninstaller()));
  EXPECT_EQ(PopupStyle(), u"ComboDropped_Bkgnd.xml");
  Shutdown();
}

}  // namespace
}  // namespace vcam::dui::wintest
