// Sliders and tab controls in real windows: a press, drag and wheel on a
// slider, and a click on a tab that slides its page in on the performance
// counter, repainting the window at each step.
#include <gtest/gtest.h>

#include <memory>

#include "dui/controls/slider.h"
#include "dui/controls/tab_control.h"
#include "dui/controls/tab_item.h"
#include "dui/load/memory_file_source.h"
#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

class SliderAndTabs : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    UiRuntime* rt = UiRuntime::Instance();
    auto skin = std::make_unique<MemoryFileSource>();
    skin->Put(u"slider.xml", R"(<S><Style class="Slider"><A thumbUpSkin="thumb.png"/></Style></S>)");
    rt->SetSkinSource(std::move(skin));
    rt->skins()->PutImage(u"thumb.png", rt->platform().CreateTexture(10, 20));
  }

  static void Counter(void* context, Control*, EventArgs&) { ++*static_cast<int*>(context); }
  static void Wheel(WindowImpl* w, int x, int y, short delta) {
    POINT p{x, y};
    ::ClientToScreen(w->hwnd(), &p);
    ::SetCursorPos(p.x, p.y);
    ::SendMessageW(w->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
  }
};

// A 210 x 20 slider at (20, 20): 200 pixels of travel for 0..100.
constexpr const char* kSlider =
    R"(<Grid initSize="300,100"><Slider id="1" width="210" height="20" margin="20,20,0,0" horizontalAlign="left" verticalAlign="top"/></Grid>)";

TEST_F(SliderAndTabs, SliderFollowsAPressADragPastTheEndAndTheWheel) {
  WindowImpl* w = Open(kSlider);
  ASSERT_NE(w, nullptr);
  auto* slider = dynamic_cast<Slider*>(w->GetChild(1));
  ASSERT_NE(slider, nullptr);
  int changes = 0;
  slider->AddHandler(EventKind::ValueChange, &changes, &Counter);

  LeftDown(w, 20 + 105, 30);
  EXPECT_EQ(slider->value(), 50);
  EXPECT_TRUE(slider->HasFlag(ControlFlags::Pressed));
  Send(w, WM_MOUSEMOVE, 290, 90, MK_LBUTTON);
  EXPECT_EQ(slider->value(), 100);
  Send(w, WM_MOUSEMOVE, 295, 90, MK_LBUTTON);
  LeftUp(w, 295, 90);
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Pressed));
  EXPECT_EQ(changes, 2);

  Wheel(w, 20 + 100, 30, -WHEEL_DELTA);
  EXPECT_EQ(slider->value(), 98);
  Wheel(w, 20 + 100, 30, 3 * WHEEL_DELTA);
  EXPECT_EQ(slider->value(), 100);
  EXPECT_EQ(changes, 4);
  Pump();
}

TEST_F(SliderAndTabs, HoveringTheSlidersThumbChecksItUntilTheMouseLeaves) {
  WindowImpl* w = Open(kSlider);
  ASSERT_NE(w, nullptr);
  auto* slider = dynamic_cast<Slider*>(w->GetChild(1));
  ASSERT_NE(slider, nullptr);
  slider->SetValue(0);  // thumb at 20..30 in the window
  Move(w, 100, 30);
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
  Move(w, 25, 30);
  EXPECT_TRUE(slider->HasFlag(ControlFlags::Checked));
  Move(w, 25, 80);  // off the slider: the window's hover moves, the slider hears MouseLeave
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
}

// A page that counts its paints.
class CountedPage : public FilledControl {
 public:
  CountedPage() : FilledControl(0x00FF0000) {}
};

constexpr const char* kTabs =
    R"(<TabControl initSize="300,200" tabHeight="30">)"
    R"(<TabItem id="1" width="50"><Grid id="11"/></TabItem>)"
    R"(<TabItem id="2" width="50"><Grid id="12"/></TabItem>)"
    R"(<TabItem id="3" width="50"><Grid id="13"/></TabItem></TabControl>)";

TEST_F(SliderAndTabs, ClickingTheThirdTabSlidesItsPageInForAtLeast100MsRepaintingEachStep) {
  WindowImpl* w = Open(kTabs);
  ASSERT_NE(w, nullptr);
  auto* tabs = dynamic_cast<TabControl*>(w->root());
  auto* third = dynamic_cast<TabItem*>(w->GetChild(3));
  ASSERT_TRUE(tabs && third);
  EXPECT_EQ(tabs->selected(), w->GetChild(1));
  auto page = std::make_unique<CountedPage>();
  CountedPage* counted = page.get();
  third->SetPage(std::move(page));
  EXPECT_EQ(counted->parent(), tabs);
  EXPECT_FALSE(counted->HasFlag(ControlFlags::Visible));
  int changes = 0;
  tabs->AddHandler(EventKind::ValueChange, &changes, &Counter);

  LARGE_INTEGER frequency{}, before{}, after{};
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&before);
  LeftDown(w, 125, 15);
  ::QueryPerformanceCounter(&after);
  const double ms = 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / frequency.QuadPart;
  EXPECT_GE(ms, 99.0);  // ten steps that each end 10 ms after the start times their number
  EXPECT_EQ(tabs->selected(), third);
  EXPECT_TRUE(third->HasFlag(ControlFlags::Checked));
  EXPECT_FALSE(w->GetChild(1)->HasFlag(ControlFlags::Checked));
  EXPECT_TRUE(counted->HasFlag(ControlFlags::IsVisible));
  EXPECT_EQ(counted->rect(), (Rect{0, 30, 300, 200}));
  // Every step was painted at once, not merely queued.
  EXPECT_GE(counted->paints, 10);
  EXPECT_EQ(changes, 1);
  LeftUp(w, 125, 15);

  // Back to the first tab.
  LeftDown(w, 25, 15);
  EXPECT_EQ(tabs->selected(), w->GetChild(1));
  EXPECT_FALSE(counted->HasFlag(ControlFlags::IsVisible));
  Pump();
}

TEST_F(SliderAndTabs, TheSlideClockOfTheWindowsPlatformIsThePerformanceCounter) {
  PreciseClock& clock = UiRuntime::Instance()->platform().Clock();
  LARGE_INTEGER frequency{}, now{};
  ASSERT_TRUE(::QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(clock.TicksPerSecond(), frequency.QuadPart);
  const std::int64_t before = clock.Ticks();
  ::QueryPerformanceCounter(&now);
  const std::int64_t after = clock.Ticks();
  EXPECT_LE(before, now.QuadPart);
  EXPECT_LE(now.QuadPart, after);
}

}  // namespace
}  // namespace vcam::dui::wintest
