// Scroll bars in real windows: enabling, the thumb, and the auto-repeat of the
// real 150 ms thread timer.
#include <gtest/gtest.h>

#include <vector>

#include "dui/controls/list_box.h"
#include "dui/controls/scroll_bar.h"
#include "dui/controls/scroll_panel.h"
#include "dui/load/memory_file_source.h"
#include "dui/win/scroll_timer.h"
#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

class ScrollBars : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    // Arrows of 20 pixels: the style the panel's bar finds by its default name.
    auto pack = std::make_unique<MemoryFileSource>();
    pack->Put(u"font.xml", R"(<F><Font name="Default" size="12"/></F>)");
    pack->Put(u"vscrollbar.xml", R"(<Styles><Style class="ScrollBar">
      <Setters barSkin="bar" upArrowUpSkin="up" downArrowUpSkin="down"/></Style></Styles>)");
    UiRuntime* runtime = UiRuntime::Instance();
    runtime->SetSkinSource(std::move(pack));
    runtime->skins()->PutImage(u"bar", runtime->platform().CreateTexture(15, 40));
    runtime->skins()->PutImage(u"up", runtime->platform().CreateTexture(15, 20));
    runtime->skins()->PutImage(u"down", runtime->platform().CreateTexture(15, 20));
  }
  // A 200 x `height` window whose panel scrolls `content` pixels.
  ScrollPanel* OpenPanel(int height, int content, const char* mode = "auto") {
    const std::string layout = "<ScrollPanel initSize=\"200," + std::to_string(height) + "\" scrollvertical=\"" +
                               mode + "\"><StackPanel><Grid height=\"" + std::to_string(content) +
                               "\"/></StackPanel></ScrollPanel>";
    window_ = Open(layout);
    return window_ ? static_cast<ScrollPanel*>(window_->root()) : nullptr;
  }
  void Record(ScrollBar* bar) { bar->AddHandler(EventKind::Notify, &notes_, &OnNotify); }
  static void OnNotify(void* context, Control*, EventArgs& args) {
    static_cast<std::vector<std::intptr_t>*>(context)->push_back(args.param1);
  }

  WindowImpl* window_ = nullptr;
  std::vector<std::intptr_t> notes_;
};

TEST_F(ScrollBars, BarWithRange100AndPage100IsDisabledAndIgnoresPositions) {
  ScrollPanel* panel = OpenPanel(100, 50, "always");
  ASSERT_NE(panel, nullptr);
  ScrollBar* bar = panel->vertical_bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->range(), 100);
  EXPECT_EQ(bar->page(), 100);
  EXPECT_FALSE(bar->IsEnabled());
  bar->SetPosition(50);
  EXPECT_EQ(bar->position(), 0);
  // A press on the disabled bar's arrow does nothing.
  LeftDown(window_, 192, 95);
  LeftUp(window_, 192, 95);
  EXPECT_EQ(bar->position(), 0);
  EXPECT_FALSE(bar->repeating());
}

TEST_F(ScrollBars, ThumbIs61PixelsAndEndsAtTheTrackBottomAtTheLastPosition) {
  // Track 300 between the arrows: a 340-pixel panel over 1700 pixels.
  ScrollPanel* panel = OpenPanel(340, 1700);
  ASSERT_NE(panel, nullptr);
  ScrollBar* bar = panel->vertical_bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->rect(), (Rect{185, 0, 200, 340}));
  EXPECT_EQ(bar->ThumbRect().height(), 61);  // 340 × 300 / 1700 + 1
  panel->ScrollTo(5000);
  EXPECT_EQ(bar->position(), 1360);
  EXPECT_EQ(bar->ThumbRect().bottom, 320);
  EXPECT_EQ(panel->content()->rect().top, -1360);
}

TEST_F(ScrollBars, HoldingTheDownArrowRepeatsOnTheScrollTimerUntilReleased) {
  ScrollPanel* panel = OpenPanel(200, 1000);
  ASSERT_NE(panel, nullptr);
  ScrollBar* bar = panel->vertical_bar();
  Record(bar);
  LeftDown(window_, 192, 190);
  EXPECT_EQ(notes_, (std::vector<std::intptr_t>{ScrollNotify::LineDown})) << "one step at the press";
  EXPECT_EQ(panel->scroll_position(), 30);
  auto* timer = dynamic_cast<ScrollTimer*>(bar->repeat_clock());
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->running());
  EXPECT_EQ(timer->interval(), 150u);
  EXPECT_EQ(Timer::Find(timer->id()), timer);
  ASSERT_TRUE(PumpUntil([&] { return notes_.size() >= 3; }));
  EXPECT_EQ(panel->scroll_position(), 90);
  const UINT_PTR id = timer->id();
  LeftUp(window_, 192, 190);
  EXPECT_FALSE(bar->repeating());
  EXPECT_EQ(Timer::Find(id), nullptr);
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::None);
}

TEST_F(ScrollBars, HoldingThePageAreaStopsOnceTheThumbHasPassedTheCursor) {
  ScrollPanel* panel = OpenPanel(200, 1000);
  ASSERT_NE(panel, nullptr);
  ScrollBar* bar = panel->vertical_bar();
  Record(bar);
  // Track 20..180 with a 33-pixel thumb; the cursor at 170 is passed at the end.
  LeftDown(window_, 192, 170);
  ASSERT_TRUE(PumpUntil([&] { return panel->scroll_position() == 800; }));
  const auto at_end = notes_.size();
  EXPECT_EQ(at_end, 4u);
  // Three more ticks of the running timer bring nothing more.
  PumpUntil([] { return false; }, 3 * ScrollBar::kRepeatInterval);
  EXPECT_TRUE(bar->repeating());
  EXPECT_EQ(notes_.size(), at_end);
  LeftUp(window_, 192, 170);
  EXPECT_FALSE(bar->repeating());
}

TEST_F(ScrollBars, DraggingTheThumbScrollsTheContent) {
  ScrollPanel* panel = OpenPanel(340, 1700);
  ASSERT_NE(panel, nullptr);
  LeftDown(window_, 192, 30);  // 10 pixels into the thumb at 20..81
  Move(window_, 192, 130);     // thumb at 120: 100 of 239 free pixels
  EXPECT_EQ(panel->scroll_position(), 569);  // 1360 × 100 / 239
  Move(window_, 192, 900);
  EXPECT_EQ(panel->scroll_position(), 1360);
  LeftUp(window_, 192, 900);
  EXPECT_FALSE(panel->vertical_bar()->repeating());
}

TEST_F(ScrollBars, WheelNotchScrollsOneItemHeight) {
  ScrollPanel* panel = OpenPanel(200, 1000);
  ASSERT_NE(panel, nullptr);
  POINT p{50, 50};
  ::ClientToScreen(window_->hwnd(), &p);
  ::SetCursorPos(p.x, p.y);
  ::SendMessageW(window_->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(p.x, p.y));
  EXPECT_EQ(panel->scroll_position(), 30);
}

TEST_F(ScrollBars, ListRowIsChosenByTheMouseAndTheKeysMoveTheSelectionIntoView) {
  window_ = Open(R"(<ListBox initSize="200,100"/>)");
  ASSERT_NE(window_, nullptr);
  auto* list = static_cast<ListBox*>(window_->root());
  for (int i = 0; i < 6; ++i) list->AddItem(u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  // Rows added after the window showed need a layout, as their owner gives them.
  list->Measure(200, 100);
  list->Arrange(0, 0, 200, 100);
  ASSERT_NE(list->vertical_bar(), nullptr);
  list->AddHandler(EventKind::Notify, &notes_, &OnNotify);
  LeftDown(window_, 50, 75);  // row 2
  LeftUp(window_, 50, 75);
  EXPECT_EQ(notes_, (std::vector<std::intptr_t>{2}));
  EXPECT_EQ(list->GetSelectedText(), u"row 2");
  EXPECT_EQ(window_->focused_control(), list);
  ::SendMessageW(window_->hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list->GetSelectedText(), u"row 3");
  EXPECT_EQ(list->scroll_position(), 20);  // row 3 ends at 120
  ::SendMessageW(window_->hwnd(), WM_KEYDOWN, VK_UP, 0);
  ::SendMessageW(window_->hwnd(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(list->GetSelectedText(), u"row 1");
  EXPECT_EQ(list->scroll_position(), 20) << "row 1 (30..60) is in view";
  ::SendMessageW(window_->hwnd(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(list->scroll_position(), 0);
  EXPECT_EQ(notes_.size(), 1u) << "keys choose nothing";
}

}  // namespace
}  // namespace vcam::dui::wintest
