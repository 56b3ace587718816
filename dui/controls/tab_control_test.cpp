// Tab controls: measure and arrange for both placements, selection with its
// events and page visibility, the slide-in of a new page, hit testing by
// strip or page, painting order, and items that go away.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/tab_control.h"
#include "dui/controls/tab_item.h"
#include "dui/runtime/precise_clock.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using testing::Str;
using Log = std::vector<std::string>;

// Three tabs 50, 60 and 40 wide; pages 200 x 100, 150 x 120 and empty.
constexpr std::string_view kTopTabs = R"(<TabControl tabHeight="30">
  <TabItem id="1" width="50"><Grid id="11"><Button id="111" width="200" height="100"/></Grid></TabItem>
  <TabItem id="2" width="60"><Grid id="12"><Button width="150" height="120"/></Grid></TabItem>
  <TabItem id="3" width="40"><Grid id="13"/></TabItem>
</TabControl>)";

constexpr std::string_view kLeftTabs = R"(<TabControl tabHeight="40" tabPlacement="left">
  <TabItem id="1" height="25"><Grid id="11"><Button width="200" height="100"/></Grid></TabItem>
  <TabItem id="2" height="25"><Grid id="12"><Button width="150" height="120"/></Grid></TabItem>
  <TabItem id="3" height="25"><Grid id="13"/></TabItem>
</TabControl>)";

// A counter that moves 1 ms each time it is read.
class SteppingClock : public PreciseClock {
 public:
  std::int64_t Ticks() override { return now++; }
  std::int64_t TicksPerSecond() override { return 1000; }
  std::int64_t now = 5000;
};

// Records, for each repaint of the tab control, the page's rect and the clock.
class SlideWatch {
 public:
  SlideWatch(const Control* tabs, Control* page, SteppingClock& clock) : tabs_(tabs), page_(page), clock_(clock) {}
  void Follow(Control* page) { page_ = page; }
  void Seen(const std::vector<const Control*>& invalidated) {
    for (; seen_ < invalidated.size(); ++seen_) {
      if (invalidated[seen_] != tabs_) continue;
      rects.push_back(Str(page_->rect()));
      times.push_back(clock_.now);
    }
  }
  Log rects;
  std::vector<std::int64_t> times;

 private:
  const Control* tabs_;
  Control* page_;
  SteppingClock& clock_;
  std::size_t seen_ = 0;
};

class Tabs : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Initialize(u"tabs", std::make_unique<testing::TestPlatform>(state_))); }
  void TearDown() override { Shutdown(); }

  static TabControl* TabsOf(AttachedTree& tree) { return static_cast<TabControl*>(tree.root()); }
  static TabItem* Item(AttachedTree& tree, std::int32_t id) { return static_cast<TabItem*>(tree.ById(id)); }

  struct Watch {
    Log* log;
    std::string name;
  };
  void Record(Control* c, const std::string& name) {
    watches_.push_back(std::make_unique<Watch>(Watch{&log_, name}));
    c->AddHandler(EventKind::ValueChange, watches_.back().get(), [](void* context, Control* sender, EventArgs&) {
      auto* w = static_cast<Watch*>(context);
      w->log->push_back(w->name + (sender->HasFlag(ControlFlags::Checked) ? " checked" : " changed"));
    });
  }

  // Selections between top tabs slide against a clock that never waits.
  void Quick(AttachedTree& tree) { TabsOf(tree)->SetSlideClock(&clock_); }

  testing::TestPlatformState state_;
  SteppingClock clock_;
  Log log_;
  std::vector<std::unique_ptr<Watch>> watches_;
};

TEST_F(Tabs, TopStripMeasuresTheItemsAndTheTallestPage) {
  AttachedTree tree(kTopTabs);
  EXPECT_EQ(tree.root()->Measure(300, 200), (Size{200, 150}));
  EXPECT_EQ(tree.ById(1)->desired(), (Size{50, 0}));
  EXPECT_EQ(tree.ById(11)->desired(), (Size{200, 100}));
  // Wider items than pages: the strip decides the width.
  AttachedTree wide(R"(<TabControl tabHeight="20"><TabItem width="150"><Grid/></TabItem><TabItem width="170"/></TabControl>)");
  EXPECT_EQ(wide.root()->Measure(400, 200), (Size{320, 20}));
}

TEST_F(Tabs, TopStripArrangesItemsLeftToRightAndEveryPageInThePageArea) {
  AttachedTree tree(kTopTabs);
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  EXPECT_EQ(tabs->header_rect(), (Rect{0, 0, 300, 30}));
  EXPECT_EQ(tabs->page_rect(), (Rect{0, 30, 300, 200}));
  EXPECT_EQ(tree.ById(1)->rect(), (Rect{0, 0, 50, 30}));
  EXPECT_EQ(tree.ById(2)->rect(), (Rect{50, 0, 110, 30}));
  EXPECT_EQ(tree.ById(3)->rect(), (Rect{110, 0, 150, 30}));
  for (std::int32_t id : {11, 12, 13}) EXPECT_EQ(tree.ById(id)->rect(), (Rect{0, 30, 300, 200})) << id;
  // The page's window rect counts from the tab control, its logical parent.
  EXPECT_EQ(tree.ById(111)->GetWindowRect(), (Rect{50, 65, 250, 165}));
}

TEST_F(Tabs, LeftStripStacksItemsAndPutsThePagesBesideIt) {
  AttachedTree tree(kLeftTabs);
  EXPECT_EQ(tree.root()->Measure(300, 200), (Size{240, 120}));
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  EXPECT_EQ(tabs->header_rect(), (Rect{0, 0, 40, 200}));
  EXPECT_EQ(tabs->page_rect(), (Rect{40, 0, 300, 200}));
  EXPECT_EQ(tree.ById(1)->rect(), (Rect{0, 0, 40, 25}));
  EXPECT_EQ(tree.ById(2)->rect(), (Rect{0, 25, 40, 50}));
  EXPECT_EQ(tree.ById(3)->rect(), (Rect{0, 50, 40, 75}));
  EXPECT_EQ(tree.ById(12)->rect(), (Rect{40, 0, 300, 200}));
  // Items measured with (tabHeight, h), pages with (w - tabHeight, h).
  AttachedTree tall(R"(<TabControl tabHeight="40" tabPlacement="left"><TabItem height="150"/><TabItem height="90"/></TabControl>)");
  EXPECT_EQ(tall.root()->Measure(300, 200), (Size{40, 240}));
}

TEST_F(Tabs, AnUnknownPlacementLaysNothingOut) {
  AttachedTree tree(R"(<TabControl tabHeight="30" tabPlacement="bottom">
    <TabItem id="1" width="50"><Grid id="11"><Button width="200" height="100"/></Grid></TabItem></TabControl>)");
  EXPECT_EQ(tree.root()->Measure(300, 200), (Size{0, 0}));
  tree.Layout(300, 200);
  EXPECT_EQ(TabsOf(tree)->header_rect(), (Rect{}));
  EXPECT_EQ(TabsOf(tree)->page_rect(), (Rect{}));
  EXPECT_EQ(tree.ById(1)->rect(), (Rect{}));
  EXPECT_EQ(TabsOf(tree)->selected(), nullptr);
}

TEST_F(Tabs, FirstArrangeSelectsTheFirstItemAndShowsOnlyItsPage) {
  AttachedTree tree(kTopTabs);
  // Attached pages start hidden, below the tab control.
  EXPECT_FALSE(tree.ById(11)->HasFlag(ControlFlags::Visible));
  EXPECT_EQ(tree.ById(11)->parent(), tree.root());
  Record(tree.root(), "tabs");
  Record(tree.ById(1), "one");
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  EXPECT_EQ(tabs->selected(), Item(tree, 1));
  EXPECT_EQ(log_, (Log{"one checked", "tabs changed"}));
  EXPECT_TRUE(tree.ById(11)->HasFlag(ControlFlags::IsVisible));
  EXPECT_FALSE(tree.ById(12)->HasFlag(ControlFlags::IsVisible));
  EXPECT_FALSE(tree.ById(13)->HasFlag(ControlFlags::IsVisible));
  // Arranging again keeps the selection.
  tree.Layout(300, 200);
  EXPECT_EQ(log_.size(), 2u);
}

TEST_F(Tabs, SelectingMovesCheckedAndThePageAndTellsOldNewAndTheControlInThatOrder) {
  AttachedTree tree(R"(<TabControl tabHeight="30" tabPlacement="left">
    <TabItem id="1" height="20"><Grid id="11"/></TabItem><TabItem id="2" height="20"><Grid id="12"/></TabItem></TabControl>)");
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  Record(tabs, "tabs");
  Record(tree.ById(1), "one");
  Record(tree.ById(2), "two");
  tabs->Select(Item(tree, 2));
  EXPECT_EQ(log_, (Log{"one changed", "two checked", "tabs changed"}));
  EXPECT_FALSE(tree.ById(1)->HasFlag(ControlFlags::Checked));
  EXPECT_TRUE(tree.ById(2)->HasFlag(ControlFlags::Checked));
  EXPECT_FALSE(tree.ById(11)->HasFlag(ControlFlags::Visible));
  EXPECT_TRUE(tree.ById(12)->HasFlag(ControlFlags::IsVisible));
  // No slide with the strip on the left: the page is in place at once.
  EXPECT_EQ(tree.ById(12)->rect(), (Rect{30, 0, 300, 200}));

  log_.clear();
  tabs->Select(Item(tree, 2));
  tabs->Select(nullptr);
  TabItem stranger;
  tabs->Select(&stranger);
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(tabs->selected(), Item(tree, 2));
}

TEST_F(Tabs, PressingAnItemSelectsItUnlessItIsAlreadyChecked) {
  AttachedTree tree(R"(<TabControl tabHeight="30" tabPlacement="left">
    <TabItem id="1" height="20"><Grid/></TabItem><TabItem id="2" height="20"><Grid/></TabItem></TabControl>)");
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  EventArgs down{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
  tree.ById(2)->RaiseEvent(down);
  EXPECT_EQ(down.handled, 1);
  EXPECT_EQ(tabs->selected(), Item(tree, 2));
  EventArgs again{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
  tree.ById(2)->RaiseEvent(again);
  EXPECT_EQ(again.handled, 0);
  // Tab items do not capture the mouse and never click.
  EXPECT_FALSE(tree.ById(2)->HasFlag(ControlFlags::CaptureOnPress));
  EXPECT_EQ(tree.ById(2)->flags() & 0x80000u, 0x80000u);
}

TEST_F(Tabs, ThirdTabAfterTheFirstSlidesInFromTheRightInTenStepsOf10Ms) {
  AttachedTree tree(kTopTabs);
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  SteppingClock clock;
  Control* page = tree.ById(13);
  SlideWatch watch(tabs, page, clock);
  tree.window().invalidated.clear();
  // A clock that looks at the window's repaints each time it is read, so each
  // synchronous repaint is seen with the page's rect and time it happened at.
  class SamplingClock : public PreciseClock {
   public:
    SamplingClock(SteppingClock& inner, SlideWatch& watch, AttachedTree& tree)
        : inner_(inner), watch_(watch), tree_(tree) {}
    std::int64_t Ticks() override {
      watch_.Seen(tree_.window().invalidated);
      return inner_.Ticks();
    }
    std::int64_t TicksPerSecond() override { return inner_.TicksPerSecond(); }

   private:
    SteppingClock& inner_;
    SlideWatch& watch_;
    AttachedTree& tree_;
  } sampling(clock, watch, tree);
  tabs->SetSlideClock(&sampling);

  const std::int64_t start = clock.now;
  tabs->Select(Item(tree, 3));
  EXPECT_EQ(watch.rects, (Log{"270,30,570,200", "240,30,540,200", "210,30,510,200", "180,30,480,200",
                              "150,30,450,200", "120,30,420,200", "90,30,390,200", "60,30,360,200",
                              "30,30,330,200", "0,30,300,200"}));
  // Step n is painted once step n - 1 has had its 10 ms.
  for (std::size_t i = 0; i < watch.times.size(); ++i)
    EXPECT_EQ(watch.times[i], start + 1 + 10 * static_cast<std::int64_t>(i)) << i;
  EXPECT_GE(clock.now, start + 100);
  EXPECT_LE(clock.now, start + 102);
  EXPECT_EQ(page->rect(), (Rect{0, 30, 300, 200}));
  // The last repaint request is the control's own, after the slide.
  EXPECT_EQ(tree.window().invalidated.back(), tabs);

  // Back to the first: from the left.
  watch.Seen(tree.window().invalidated);
  watch.rects.clear();
  watch.Follow(tree.ById(11));
  tabs->Select(Item(tree, 1));
  ASSERT_EQ(watch.rects.size(), 10u);
  EXPECT_EQ(watch.rects.front(), "-270,30,30,200");
  EXPECT_EQ(watch.rects.back(), "0,30,300,200");
}

TEST_F(Tabs, HitsInTheStripGoToTheItemsAndElsewhereToTheSelectedPage) {
  AttachedTree tree(R"(<TabControl tabHeight="30">
    <TabItem id="1" width="50"><Grid id="11"><Button id="111" width="20" height="20" margin="10,10,0,0" horizontalAlign="left" verticalAlign="top"/></Grid></TabItem>
    <TabItem id="2" width="60"><Grid id="12"/></TabItem></TabControl>)");
  tree.Layout(300, 200);
  Quick(tree);
  Control* root = tree.root();
  EXPECT_EQ(root->HitTest(10, 10), tree.ById(1));
  EXPECT_EQ(root->HitTest(55, 10), tree.ById(2));
  EXPECT_EQ(root->HitTest(200, 10), root);  // strip beyond the last item
  EXPECT_EQ(root->HitTest(15, 45), tree.ById(111));
  EXPECT_EQ(root->HitTest(100, 100), tree.ById(11));
  EXPECT_EQ(root->HitTest(300, 100), nullptr);
  TabsOf(tree)->Select(Item(tree, 2));
  EXPECT_EQ(root->HitTest(15, 45), tree.ById(12));
  tree.ById(12)->SetVisible(false);
  EXPECT_EQ(root->HitTest(15, 45), root);
}

TEST_F(Tabs, PaintsTheStyleOverTheStripThenItemsThenThePageInsideThePageArea) {
  AttachedTree tree(R"(<TabControl tabHeight="30">
    <TabItem id="1" width="50"><Grid id="11"><Image id="111" width="20" height="20"/></Grid></TabItem>
    <TabItem id="2" width="60"><Grid id="12"/></TabItem></TabControl>)");
  tree.Layout(300, 200);
  testing::RecordingPainter painter;
  tree.root()->Paint(painter, {100, 100, 400, 300}, {100, 100, 400, 300});
  EXPECT_EQ(painter.log, (Log{"save", "clip 100,100,150,130", "restore", "save", "clip 150,100,210,130", "restore",
                              "save", "clip 100,130,400,300", "save", "clip 240,205,260,225", "restore", "restore"}));
  // Only the strip and the page area are painted; a page moved out to the
  // right is cut at the control's edge.
  tree.ById(11)->Arrange(150, 30, 450, 200);
  painter.log.clear();
  tree.root()->Paint(painter, {100, 100, 400, 300}, {100, 130, 400, 300});
  EXPECT_EQ(painter.log,
            (Log{"save", "clip 250,130,400,300", "save", "clip 390,205,400,225", "restore", "restore"}));
}

TEST_F(Tabs, APageSlidingOverTheStripIsCutAtThePageAreaAndAHiddenPageIsNotPainted) {
  AttachedTree tree(R"(<TabControl tabHeight="30">
    <TabItem id="1" width="50"><Grid id="11"><Image id="111" width="20" height="20"/></Grid></TabItem>
    <TabItem id="2" width="60"><Grid id="12"/></TabItem></TabControl>)");
  tree.Layout(300, 200);
  tree.ById(11)->Arrange(0, 10, 300, 180);
  testing::RecordingPainter painter;
  tree.root()->Paint(painter, {100, 100, 400, 300}, {100, 100, 400, 300});
  EXPECT_EQ(painter.log, (Log{"save", "clip 100,100,150,130", "restore", "save", "clip 150,100,210,130", "restore",
                              "save", "clip 100,130,400,280", "save", "clip 240,185,260,205", "restore", "restore"}));
  tree.ById(11)->SetVisible(false);
  painter.log.clear();
  tree.root()->Paint(painter, {100, 100, 400, 300}, {100, 100, 400, 300});
  EXPECT_EQ(painter.log, (Log{"save", "clip 100,100,150,130", "restore", "save", "clip 150,100,210,130", "restore"}));
}

TEST_F(Tabs, PagesFollowTheTabControlsVisibility) {
  AttachedTree tree(kTopTabs);
  tree.Layout(300, 200);
  EXPECT_TRUE(tree.ById(111)->HasFlag(ControlFlags::IsVisible));
  tree.root()->SetVisible(false);
  EXPECT_FALSE(tree.ById(11)->HasFlag(ControlFlags::IsVisible));
  EXPECT_FALSE(tree.ById(111)->HasFlag(ControlFlags::IsVisible));
  tree.root()->SetVisible(true);
  EXPECT_TRUE(tree.ById(111)->HasFlag(ControlFlags::IsVisible));
  EXPECT_FALSE(tree.ById(12)->HasFlag(ControlFlags::IsVisible));
}

TEST_F(Tabs, DestroyingTheSelectedItemDestroysItsPageAndClearsTheSelection) {
  AttachedTree tree(kTopTabs);
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  Quick(tree);
  Control* page = tree.ById(11);
  tree.window().focused = tree.ById(111);
  delete tree.ById(1);
  EXPECT_EQ(tabs->selected(), nullptr);
  EXPECT_EQ(tree.ById(11), nullptr);
  EXPECT_EQ(tree.window().focused, nullptr);
  EXPECT_FALSE(LiveControlSet::Contains(page));
  // The next arrange selects the new first item; selecting works on.
  tree.Layout(300, 200);
  EXPECT_EQ(tabs->selected(), Item(tree, 2));
  tabs->Select(Item(tree, 3));
  EXPECT_EQ(tabs->selected(), Item(tree, 3));
}

TEST_F(Tabs, ARemovedItemTakesItsPageAlongAndIsNoLongerSelected) {
  AttachedTree tree(kTopTabs);
  tree.Layout(300, 200);
  TabControl* tabs = TabsOf(tree);
  Quick(tree);
  std::unique_ptr<Control> item = tabs->RemoveChild(tree.ById(1));
  ASSERT_TRUE(item);
  auto* removed = static_cast<TabItem*>(item.get());
  EXPECT_EQ(tabs->selected(), nullptr);
  EXPECT_EQ(removed->page()->parent(), nullptr);
  EXPECT_FALSE(removed->page()->IsLive());
  EXPECT_EQ(tree.ById(11), nullptr);
  // Added again, the selected item's page shows again.
  tabs->AddChild(std::move(item));
  EXPECT_EQ(removed->page()->parent(), tabs);
  EXPECT_TRUE(removed->page()->HasFlag(ControlFlags::Visible));
  tabs->Select(Item(tree, 2));
  EXPECT_FALSE(removed->HasFlag(ControlFlags::Checked) && tabs->selected() == removed);
}

TEST_F(Tabs, ATabControlGoesWithItsItemsAndPages) {
  auto root = testing::BuildTree(kTopTabs);
  testing::TestWindow window;
  root->Attach(&window);
  root->Measure(300, 200);
  root->Arrange(0, 0, 300, 200);
  Control* page = window.GetChild(11);
  ASSERT_NE(page, nullptr);
  root.reset();
  EXPECT_FALSE(LiveControlSet::Contains(page));
  EXPECT_EQ(window.GetChild(1), nullptr);
  EXPECT_EQ(window.GetChild(11), nullptr);
}

}  // namespace
}  // namespace vcam::dui
