// Mouse, keyboard, focus and capture routing of the window host, in real
// windows driven with mouse and key messages.
#include <gtest/gtest.h>

#include "dui/core/attribute_names.h"
#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

using K = EventKind;

// A 300 x 200 window: panel P (id 2) at 0..200 x 0..100 holds A (id 3) at
// 0..100 and B (id 4) at 100..200; the rest is the root (id 1).
constexpr const char* kLayout =
    R"(<Canvas id="1" initSize="300,200"><Grid id="2" width="200" height="100">)"
    R"(<Grid id="3" width="100" height="100" horizontalAlign="left"/>)"
    R"(<Grid id="4" width="100" height="100" horizontalAlign="right"/></Grid></Canvas>)";

class Input : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    w = Open(kLayout);
    ASSERT_NE(w, nullptr);
    root = w->GetChild(1);
    p = w->GetChild(2);
    a = w->GetChild(3);
    b = w->GetChild(4);
    ASSERT_TRUE(root && p && a && b);
    ASSERT_EQ(a->GetWindowRect(), (Rect{0, 0, 100, 100}));
    ASSERT_EQ(b->GetWindowRect(), (Rect{100, 0, 200, 100}));
  }

  WindowImpl* w = nullptr;
  Control *root = nullptr, *p = nullptr, *a = nullptr, *b = nullptr;
  EventLog log;
};

TEST_F(Input, PressDragOutAndReleaseSendsTheUpToTheCapturedControlThenLeaves) {
  a->SetFlag(ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true);
  log.Watch(a, "A", {K::MouseEnter, K::MouseLeave, K::GotCapture, K::LostCapture, K::LButtonDown,
                     K::PreviewLButtonUp, K::LButtonUp});
  log.Watch(p, "P", {K::MouseLeave, K::LButtonUp});
  log.Watch(root, "root", {K::MouseLeave, K::PreviewLButtonUp, K::LButtonUp});

  Move(w, 50, 50);
  LeftDown(w, 50, 50);
  EXPECT_EQ(w->captured_control(), a);
  EXPECT_TRUE(a->HasFlag(ControlFlags::Pressed));
  EXPECT_EQ(::GetCapture(), w->hwnd());
  Move(w, 250, 150);
  EXPECT_EQ(log.lines, (Log{"A MouseEnter", "A GotCapture", "A LButtonDown"}))
      << "moves go to the captured control alone; hover stays";
  EXPECT_TRUE(a->HasFlag(ControlFlags::Hover));

  LeftUp(w, 250, 150);
  EXPECT_EQ(log.lines, (Log{"A MouseEnter", "A GotCapture", "A LButtonDown", "A LButtonUp", "A LostCapture",
                            "P MouseLeave", "A MouseLeave"}));
  EXPECT_EQ(w->captured_control(), nullptr);
  EXPECT_FALSE(a->HasFlag(ControlFlags::Pressed));
  EXPECT_NE(::GetCapture(), w->hwnd());
  EXPECT_EQ(w->hovered_control(), root);
}

TEST_F(Input, ReleaseWithoutCaptureTunnelsThenBubbles) {
  log.Watch(a, "A", {K::PreviewLButtonUp, K::LButtonUp});
  log.Watch(root, "root", {K::PreviewLButtonUp, K::LButtonUp});
  LeftUp(w, 50, 50);
  EXPECT_EQ(log.lines, (Log{"root PreviewLButtonUp", "A PreviewLButtonUp", "A LButtonUp", "root LButtonUp"}));
}

TEST_F(Input, MovingToASiblingLeavesTheOldChildOnlyAndTheParentKeepsHover) {
  for (auto [c, name] : {std::pair{root, "root"}, {p, "P"}, {a, "A"}, {b, "B"}})
    log.Watch(c, name, {K::MouseEnter, K::MouseLeave});
  Move(w, 50, 50);
  EXPECT_EQ(log.lines, (Log{"root MouseEnter", "P MouseEnter", "A MouseEnter"}));
  log.lines.clear();
  Move(w, 60, 50);
  EXPECT_TRUE(log.lines.empty()) << "same control, no change";
  Move(w, 150, 50);
  EXPECT_EQ(log.lines, (Log{"A MouseLeave", "B MouseEnter"}));
  EXPECT_TRUE(p->HasFlag(ControlFlags::Hover));
  EXPECT_TRUE(root->HasFlag(ControlFlags::Hover));
  EXPECT_FALSE(a->HasFlag(ControlFlags::Hover));
  EXPECT_TRUE(b->HasFlag(ControlFlags::Hover));
  EXPECT_EQ(w->hovered_control(), b);
  ASSERT_EQ(w->hover_chain().size(), 3u);
  EXPECT_EQ(w->hover_chain()[0], b);
  EXPECT_EQ(w->hover_chain()[2], root);
}

TEST_F(Input, LeavingTheWindowLeavesEveryControlLeafFirst) {
  for (auto [c, name] : {std::pair{root, "root"}, {p, "P"}, {b, "B"}}) log.Watch(c, name, {K::MouseLeave});
  Move(w, 150, 50);
  ::SendMessageW(w->hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log.lines, (Log{"B MouseLeave", "P MouseLeave", "root MouseLeave"}));
  for (Control* c : {root, p, b}) EXPECT_FALSE(c->HasFlag(ControlFlags::Hover));
  EXPECT_EQ(w->hovered_control(), nullptr);
  EXPECT_TRUE(w->hover_chain().empty());
  log.lines.clear();
  Move(w, 150, 50);
  EXPECT_EQ(w->hovered_control(), b) << "coming back hovers again";
}

TEST_F(Input, MouseMoveBubblesFromTheHitControl) {
  log.Watch(a, "A", {K::MouseMove});
  log.Watch(root, "root", {K::MouseMove});
  Move(w, 10, 10);
  Move(w, 250, 150);
  EXPECT_EQ(log.lines, (Log{"A MouseMove", "root MouseMove", "root MouseMove"}));
}

TEST_F(Input, HandledPreviewLButtonDownSuppressesFocusCaptureAndLButtonDown) {
  for (Control* c : {a, b}) c->SetFlag(ControlFlags::Focusable | ControlFlags::CaptureOnPress, true);
  log.Watch(a, "A", {K::GotFocus, K::LostFocus, K::GotCapture, K::LostCapture, K::LButtonDown});
  log.Watch(b, "B", {K::PreviewLButtonDown}, /*set_handled=*/true);
  log.Watch(b, "B", {K::GotFocus, K::GotCapture, K::LButtonDown});

  LeftDown(w, 50, 50);
  EXPECT_EQ(log.lines, (Log{"A GotFocus", "A GotCapture", "A LButtonDown"}));
  LeftUp(w, 50, 50);
  log.lines.clear();

  LeftDown(w, 150, 50);
  EXPECT_EQ(log.lines, (Log{"B PreviewLButtonDown"}));
  EXPECT_EQ(w->focused_control(), a) << "the focus stays";
  EXPECT_EQ(w->captured_control(), nullptr);
  EXPECT_FALSE(b->HasFlag(ControlFlags::Pressed));
}

TEST_F(Input, PressOnANonFocusableControlTakesTheFocusAwayPressOnTheFocusedKeepsIt) {
  a->SetFlag(ControlFlags::Focusable, true);
  log.Watch(a, "A", {K::GotFocus, K::LostFocus});
  LeftDown(w, 50, 50);
  LeftUp(w, 50, 50);
  LeftDown(w, 60, 60);
  LeftUp(w, 60, 60);
  EXPECT_EQ(log.lines, (Log{"A GotFocus"}));
  EXPECT_TRUE(a->HasFlag(ControlFlags::Focused));
  EXPECT_EQ(::GetFocus(), w->hwnd());
  LeftDown(w, 150, 50);
  EXPECT_EQ(log.lines, (Log{"A GotFocus", "A LostFocus"}));
  EXPECT_EQ(w->focused_control(), nullptr);
  EXPECT_FALSE(a->HasFlag(ControlFlags::Focused));
}

TEST_F(Input, RightPressClearsTheFocusUnlessItLandsOnTheFocusedControl) {
  a->SetFlag(ControlFlags::Focusable, true);
  log.Watch(a, "A", {K::LostFocus, K::RButtonDown});
  log.Watch(b, "B", {K::PreviewRButtonDown, K::RButtonDown});
  LeftDown(w, 50, 50);
  LeftUp(w, 50, 50);
  RightDown(w, 50, 50);
  EXPECT_EQ(w->focused_control(), a);
  RightDown(w, 150, 50);
  EXPECT_EQ(log.lines, (Log{"A RButtonDown", "A LostFocus", "B PreviewRButtonDown", "B RButtonDown"}));
  EXPECT_EQ(w->focused_control(), nullptr);
  EXPECT_EQ(w->last_focused_control(), nullptr);
}

TEST_F(Input, DisabledControlGetsNoPress) {
  a->SetFlag(ControlFlags::Enabled, false);
  a->SetFlag(ControlFlags::Focusable | ControlFlags::CaptureOnPress, true);
  log.Watch(a, "A", {K::PreviewLButtonDown, K::LButtonDown, K::GotFocus, K::MouseMove});
  Move(w, 50, 50);
  LeftDown(w, 50, 50);
  EXPECT_TRUE(log.lines.empty());
  EXPECT_EQ(w->captured_control(), nullptr);
  EXPECT_EQ(w->hovered_control(), a) << "hover still follows the mouse";
}

TEST_F(Input, HidingAControlThatHoldsCaptureAndFocusReleasesThemFirst) {
  a->SetFlag(ControlFlags::Focusable | ControlFlags::CaptureOnPress, true);
  log.Watch(a, "A", {K::LostCapture, K::LostFocus, K::MouseLeave});
  log.Watch(p, "P", {K::MouseLeave});
  Move(w, 50, 50);
  LeftDown(w, 50, 50);
  ASSERT_EQ(w->captured_control(), a);
  ASSERT_EQ(w->focused_control(), a);

  p->SetVisible(false);
  EXPECT_EQ(log.lines, (Log{"A LostCapture", "A LostFocus", "P MouseLeave", "A MouseLeave"}));
  EXPECT_EQ(w->captured_control(), nullptr);
  EXPECT_EQ(w->focused_control(), nullptr);
  EXPECT_EQ(w->hovered_control(), nullptr);
  EXPECT_FALSE(a->HasFlag(ControlFlags::Pressed));
  EXPECT_FALSE(a->HasFlag(ControlFlags::Focused));
  EXPECT_NE(::GetCapture(), w->hwnd());
  ASSERT_TRUE(PumpUntil([&] { return w->hovered_control() == root; })) << "the posted move finds the root";
}

TEST_F(Input, DestroyingTheHoveredControlForgetsIt) {
  Move(w, 150, 50);
  ASSERT_EQ(w->hovered_control(), b);
  std::unique_ptr<Control> gone = static_cast<Panel*>(p)->RemoveChild(b);
  EXPECT_EQ(w->hovered_control(), nullptr);
  EXPECT_FALSE(w->hover_chain().Holds(b));
  gone.reset();
  Move(w, 150, 50);
  EXPECT_EQ(w->hovered_control(), p);
}

TEST_F(Input, KeysGoToTheFocusedControlOnly) {
  for (auto [c, name] : {std::pair{root, "root"}, {p, "P"}, {a, "A"}})
    log.Watch(c, name, {K::PreviewKeyDown, K::KeyDown});
  log.Watch(a, "A", {K::PreviewKeyPress, K::KeyPress, K::PreviewKeyUp, K::KeyUp, K::LostFocus});
  ::SendMessageW(w->hwnd(), WM_KEYDOWN, 'X', 0);
  EXPECT_TRUE(log.lines.empty()) << "without a focused control keys are dropped";

  w->SetFocusedControl(a);
  ::SendMessageW(w->hwnd(), WM_KEYDOWN, 'X', 0);
  ::SendMessageW(w->hwnd(), WM_CHAR, 'x', 0);
  ::SendMessageW(w->hwnd(), WM_KEYUP, 'X', 0);
  EXPECT_EQ(log.lines, (Log{"root PreviewKeyDown", "P PreviewKeyDown", "A PreviewKeyDown", "A KeyDown", "P KeyDown",
                            "root KeyDown", "A PreviewKeyPress", "A KeyPress", "A PreviewKeyUp", "A KeyUp"}));
  log.lines.clear();

  ::SendMessageW(w->hwnd(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(log.lines, (Log{"A LostFocus"}));
  EXPECT_EQ(w->focused_control(), nullptr);
  EXPECT_EQ(w->last_focused_control(), a) << "remembered while the window is away";
}

TEST_F(Input, ControlWithATooltipNeverGetsMouseHover) {
  b->SetString(attr::tooltip, u"about B");
  log.Watch(a, "A", {K::MouseHover});
  log.Watch(b, "B", {K::MouseHover});
  Send(w, WM_MOUSEHOVER, 50, 50);
  Send(w, WM_MOUSEHOVER, 150, 50);
  EXPECT_EQ(log.lines, (Log{"A MouseHover"}));
  EXPECT_EQ(w->tooltip_text(), u"about B");
}

TEST_F(Input, DoubleClickGoesToWantDoubleClickControlsElseActsAsAPress) {
  a->SetFlag(ControlFlags::WantDoubleClick, true);
  log.Watch(a, "A", {K::LButtonDbClick, K::LButtonDown});
  log.Watch(b, "B", {K::LButtonDbClick, K::LButtonDown});
  Send(w, WM_LBUTTONDBLCLK, 50, 50, MK_LBUTTON);
  Send(w, WM_LBUTTONDBLCLK, 150, 50, MK_LBUTTON);
  EXPECT_EQ(log.lines, (Log{"A LButtonDbClick", "B LButtonDown"}));
}

TEST_F(Input, WheelAndCursorUseTheCursorPosition) {
  log.Watch(a, "A", {K::MouseWheel});
  log.Watch(a, "A", {K::SetCursor}, /*set_handled=*/true);
  log.Watch(b, "B", {K::SetCursor});
  POINT at{50, 50};
  ::ClientToScreen(w->hwnd(), &at);
  ::SetCursorPos(at.x, at.y);
  // The message's own coordinates point elsewhere: the cursor decides.
  ::SendMessageW(w->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(0, 0));
  EXPECT_EQ(::SendMessageW(w->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(w->hwnd()), HTCLIENT), TRUE);
  EXPECT_EQ(log.lines, (Log{"A MouseWheel", "A SetCursor"}));
}

}  // namespace
}  // namespace vcam::dui::wintest
