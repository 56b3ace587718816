// The alert in real windows: both modes with their exact button geometry,
// the confirm buttons' look, note lines, and the results of keys and buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/controls/confirm_button.h"
#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "launcher/windows/alert_layout.h"
#include "launcher/windows/alert_window.h"
#include "launcher/windows/win/windows_test_support.h"

namespace vcam::launcher::wintest {
namespace {

alert_request Request(bool two_buttons) {
  alert_request r;
  r.two_buttons = two_buttons;
  r.title = L"程序版本6.0.0.5";
  r.message = L"发现新版本，是否更新？";
  r.confirm_text = L"立即更新";
  r.cancel_text = L"以后再说";
  return r;
}

RECT ToRECT(const dui::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

class AlertWindow : public LauncherWindows {
 protected:
  alert_window* Open(bool two_buttons, const std::vector<std::wstring>* lines = nullptr) {
    auto* w = new alert_window(Request(two_buttons));
    if (!w->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete w;
      ADD_FAILURE() << "Create failed";
      return nullptr;
    }
    if (lines) w->add_lines(*lines);
    ::ShowWindow(w->hwnd(), SW_SHOWNOACTIVATE);
    ::RedrawWindow(w->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    return w;
  }
  static dui::Rect At(alert_window* w, std::int32_t id) {
    dui::Control* c = w->GetChild(id);
    return c ? c->GetWindowRect() : dui::Rect{};
  }
  static bool Shown(alert_window* w, std::int32_t id) {
    dui::Control* c = w->GetChild(id);
    return c && c->HasFlag(dui::ControlFlags::IsVisible);
  }
  static std::uint32_t SkinColour() { return dui::UiRuntime::Instance()->skin_colour(); }
};

TEST_F(AlertWindow, OneButtonModeShowsOnlyTheConfirmGroupAcrossTheWholeWidth) {
  alert_window* w = Open(false);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->GetChild(alert_ids::title)->GetText(), u"程序版本6.0.0.5");
  EXPECT_EQ(w->GetChild(alert_ids::message)->GetText(), u"发现新版本，是否更新？");
  EXPECT_TRUE(Shown(w, alert_ids::one_button_group));
  EXPECT_FALSE(Shown(w, alert_ids::two_button_group));
  EXPECT_EQ(w->GetChild(alert_ids::one_button_confirm)->GetText(), u"立即更新");
  const RECT r = WindowRect(w->hwnd());
  EXPECT_EQ(r.right - r.left, 380);
  EXPECT_EQ(r.bottom - r.top, w->root()->rect().height()) << "sized to the measured root";
  const POINT centred = CentredOrigin(380, r.bottom - r.top);
  EXPECT_EQ(r.left, centred.x);
  EXPECT_EQ(r.top, centred.y);
  const dui::Rect confirm = At(w, alert_ids::one_button_confirm);
  EXPECT_EQ(confirm.left, 0);
  EXPECT_EQ(confirm.width(), 380);
  // No divider in the button row, and the confirm text in the skin colour.
  const dui::BackBuffer& b = w->back_buffer();
  const int y = confirm.top + 3;
  EXPECT_EQ(Rgb(b, 190, y), Rgb(b, 100, y));
  EXPECT_GT(CountNear(b, ToRECT(confirm), SkinColour(), 0x30), 20);
}

TEST_F(AlertWindow, TwoButtonModeSplitsTheWidthInHalvesLessTheDivider) {
  alert_window* w = Open(true);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(Shown(w, alert_ids::one_button_group));
  EXPECT_TRUE(Shown(w, alert_ids::two_button_group));
  EXPECT_EQ(w->GetChild(alert_ids::two_button_confirm)->GetText(), u"立即更新");
  EXPECT_EQ(w->GetChild(alert_ids::cancel)->GetText(), u"以后再说");
  const dui::Rect confirm = At(w, alert_ids::two_button_confirm);
  const dui::Rect cancel = At(w, alert_ids::cancel);
  EXPECT_EQ(confirm.left, 0);
  EXPECT_EQ(confirm.width(), 190);
  EXPECT_EQ(w->GetChild(alert_ids::cancel_side)->GetRect(dui::attr::margin).left, 190);
  EXPECT_EQ(cancel.width(), 189);
  EXPECT_EQ(cancel.left, 191);
  EXPECT_EQ(cancel.right, 380);
  // The divider at x 190 between them; the confirm text in the skin colour,
  // the cancel text in the flat button's grey.
  const dui::BackBuffer& b = w->back_buffer();
  const int y = confirm.top + 3;
  EXPECT_NE(Rgb(b, 190, y), Rgb(b, 100, y));
  EXPECT_EQ(Rgb(b, 189, y), Rgb(b, 100, y));
  EXPECT_EQ(Rgb(b, 191, y), Rgb(b, 300, y));
  EXPECT_GT(CountNear(b, ToRECT(confirm), SkinColour(), 0x30), 20);
  EXPECT_EQ(CountNear(b, ToRECT(cancel), SkinColour(), 0x10), 0);
  EXPECT_GT(CountNear(b, ToRECT(cancel), 0x666666, 0x10), 5);
}

TEST_F(AlertWindow, TheConfirmButtonsBecomeConfirmButtonsWithTheirLayoutAttributes) {
  alert_window* w = Open(true);
  ASSERT_NE(w, nullptr);
  for (std::int32_t id : {alert_ids::one_button_confirm, alert_ids::two_button_confirm}) {
    auto* button = dynamic_cast<dui::ConfirmButton*>(w->GetChild(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_NE(button->FindString(dui::attr::icon), nullptr);
    EXPECT_EQ(*button->FindString(dui::attr::icon), u"icon_ok.png");
    ASSERT_NE(button->FindString(dui::attr::style), nullptr);
  }
  EXPECT_EQ(dynamic_cast<dui::ConfirmButton*>(w->GetChild(alert_ids::cancel)), nullptr) << "cancel stays a Button";
}

TEST_F(AlertWindow, NoteLinesGrowTheWindowAndKeepTheSplit) {
  alert_window* plain = Open(true);
  ASSERT_NE(plain, nullptr);
  const RECT before = WindowRect(plain->hwnd());
  ::DestroyWindow(plain->hwnd());

  const std::vector<std::wstring> lines{L"1. 修复了摄像头偶尔黑屏的问题", L"2. Faster start-up"};
  alert_window* w = Open(true, &lines);
  ASSERT_NE(w, nullptr);
  auto* notes = dynamic_cast<dui::Panel*>(w->GetChild(alert_ids::notes));
  ASSERT_NE(notes, nullptr);
  ASSERT_EQ(notes->child_count(), 2);
  int grown = 0;
  for (dui::Control* c = notes->first_child(); c; c = c->next()) {
    EXPECT_GT(c->rect().height(), 8) << "a line of text";
    grown += 13 + c->rect().height();
  }
  EXPECT_EQ(notes->first_child()->GetText(), u"1. 修复了摄像头偶尔黑屏的问题");
  const RECT after = WindowRect(w->hwnd());
  EXPECT_EQ(after.right - after.left, 380);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + grown);
  const POINT centred = CentredOrigin(380, after.bottom - after.top);
  EXPECT_EQ(after.left, centred.x) << "centred again";
  EXPECT_EQ(after.top, centred.y);
  EXPECT_EQ(At(w, alert_ids::two_button_confirm).width(), 190);
  EXPECT_EQ(At(w, alert_ids::cancel).width(), 189);
  EXPECT_EQ(At(w, alert_ids::cancel).bottom, after.bottom - after.top) << "the buttons moved down to the bottom";
  const dui::Rect first = notes->first_child()->GetWindowRect();
  EXPECT_GT(CountNear(w->back_buffer(), ToRECT(first), 0x666666, 0x30), 10) << "grey note text";
}

TEST_F(AlertWindow, EnterConfirmsAndEscapeDeclinesInBothModes) {
  for (bool two : {false, true})
    for (auto [key, result] : {std::pair<WPARAM, int>{VK_RETURN, 1}, {VK_ESCAPE, 2}}) {
      RunInsideModalLoop([key = key] {
        alert_window* w = FindWindowObject<alert_window>();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(::IsWindowVisible(w->hwnd()));
        ::PostMessageW(w->hwnd(), WM_KEYDOWN, key, 0);
      });
      EXPECT_EQ(show_alert(Request(two)), result) << (two ? "two buttons" : "one button");
      EXPECT_EQ(FindWindowObject<alert_window>(), nullptr) << "destroyed after a result";
    }
}

TEST_F(AlertWindow, OtherKeysAreConsumedAndEndNothing) {
  RunInsideModalLoop([] {
    alert_window* w = FindWindowObject<alert_window>();
    ASSERT_NE(w, nullptr);
    for (WPARAM key : {WPARAM{'A'}, WPARAM{VK_SPACE}, WPARAM{VK_TAB}}) ::SendMessageW(w->hwnd(), WM_KEYDOWN, key, 0);
    RunInsideModalLoop([w] {
      EXPECT_EQ(w->dialog_result(), 0) << "still running";
      ::PostMessageW(w->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    });
  });
  EXPECT_EQ(show_alert(Request(true)), 1);
}

TEST_F(AlertWindow, ButtonsEndTheDialogWithTheirResults) {
  const struct {
    bool two;
    std::int32_t id;
    int result;
  } cases[] = {{false, alert_ids::close, 2},
               {false, alert_ids::one_button_confirm, 1},
               {true, alert_ids::close, 2},
               {true, alert_ids::two_button_confirm, 1},
               {true, alert_ids::cancel, 2}};
  for (const auto& c : cases) {
    RunInsideModalLoop([id = c.id] {
      alert_window* w = FindWindowObject<alert_window>();
      ASSERT_NE(w, nullptr);
      ASSERT_NE(w->GetChild(id), nullptr);
      ClickControl(*w, *w->GetChild(id));
    });
    EXPECT_EQ(show_alert(Request(c.two)), c.result) << "button " << c.id;
    ParkCursor();
  }
}

TEST_F(AlertWindow, WithLinesTheResultsAreTheSame) {
  RunInsideModalLoop([] {
    alert_window* w = FindWindowObject<alert_window>();
    ASSERT_NE(w, nullptr);
    auto* notes = dynamic_cast<dui::Panel*>(w->GetChild(alert_ids::notes));
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->child_count(), 3);
    ::PostMessageW(w->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(show_alert_with_lines(Request(true), {L"a", L"b", L"c"}), 2);
}

TEST_F(AlertWindow, AWindowDestroyedDuringTheLoopGivesZero) {
  RunInsideModalLoop([] {
    alert_window* w = FindWindowObject<alert_window>();
    ASSERT_NE(w, nullptr);
    ::DestroyWindow(w->hwnd());
  });
  EXPECT_EQ(show_alert(Request(false)), 0);
  EXPECT_EQ(FindWindowObject<alert_window>(), nullptr);
}

}  // namespace
}  // namespace vcam::launcher::wintest
