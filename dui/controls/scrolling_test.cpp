// Scroll bars, scrolling panels and list boxes: geometry and clamping as
// arithmetic, then the controls in an attached tree with a clock driven by hand.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "dui/controls/combo_placement.h"
#include "dui/controls/list_box.h"
#include "dui/controls/scroll_bar.h"
#include "dui/controls/scroll_bar_geometry.h"
#include "dui/controls/scroll_panel.h"
#include "dui/core/attribute_names.h"
#include "dui/layout/stack_panel.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using G = ScrollBarGeometry;
using testing::AttachedTree;

// ---- Geometry ------------------------------------------------------------

TEST(ScrollBarGeometry, ThumbOf61PixelsEndsAtTheTrackBottomAtTheLastPosition) {
  EXPECT_EQ(G::ThumbLength(1000, 200, 300), 61);
  ScrollBarLayout l;
  l.track_start = 17;
  l.track_length = 300;
  EXPECT_EQ(G::Thumb(l, {17, 334}, true, 1000, 200, 0), (Rect{0, 17, 17, 78}));
  EXPECT_EQ(G::Thumb(l, {17, 334}, true, 1000, 200, 800), (Rect{0, 256, 17, 317}));
  EXPECT_EQ(G::Thumb(l, {17, 334}, true, 1000, 200, 400), (Rect{0, 136, 17, 197}));  // 239 × 400 / 800 = 119
}

TEST(ScrollBarGeometry, ThumbIsAtLeast20AndNeverLongerThanTheTrack) {
  EXPECT_EQ(G::ThumbLength(100000, 10, 300), 20);
  EXPECT_EQ(G::ThumbLength(1000, 200, 12), 12);  // track shorter than the minimum
  EXPECT_EQ(G::ThumbLength(1000, 200, 0), 0);
  EXPECT_EQ(G::ThumbLength(1000, 200, -5), 0);  // arrows overlapping in a tiny bar
  // A huge list: the product would overflow 32 bits.
  EXPECT_EQ(G::ThumbLength(2000000000, 1500000000, 2000), 1501);
}

TEST(ScrollBarGeometry, ZeroRangeOrFullPageNeitherDividesByZeroNorMovesTheThumb) {
  EXPECT_EQ(G::ThumbLength(0, 0, 300), 300);
  EXPECT_EQ(G::ThumbOffset(0, 0, 50, 300), 0);
  EXPECT_EQ(G::ThumbOffset(100, 100, 50, 300), 0);
  EXPECT_EQ(G::ThumbOffset(100, 200, 50, 300), 0);  // page beyond the range
  ScrollBarLayout l;
  l.track_length = 0;
  EXPECT_TRUE(G::Thumb(l, {17, 0}, true, 0, 0, 0).empty());
  std::int32_t p = -1;
  EXPECT_FALSE(G::PositionFromThumb(1000, 200, 10, 20, 20, &p));  // the thumb fills the track
  EXPECT_FALSE(G::PositionFromThumb(1000, 200, 10, 12, 20, &p));
  EXPECT_EQ(p, -1);
}

TEST(ScrollBarGeometry, PositionFromThumbIsIntegerDivisionWithoutClamping) {
  std::int32_t p = 0;
  ASSERT_TRUE(G::PositionFromThumb(1000, 200, 100, 300, 61, &p));
  EXPECT_EQ(p, 334);  // 800 × 100 / 239
  ASSERT_TRUE(G::PositionFromThumb(1000, 200, 400, 300, 61, &p));
  EXPECT_EQ(p, 1338);  // SetPosition clamps it
  ASSERT_TRUE(G::PositionFromThumb(1000, 200, -50, 300, 61, &p));
  EXPECT_EQ(p, -167);
}

TEST(ScrollBarGeometry, ClampKeepsThePositionInsideTheScrollableRange) {
  EXPECT_EQ(G::Clamp(100, 100, 50), 0);  // disabled
  EXPECT_EQ(G::Clamp(0, 0, 7), 0);
  EXPECT_EQ(G::Clamp(1000, 200, -5), 0);
  EXPECT_EQ(G::Clamp(1000, 200, 900), 800);
  EXPECT_EQ(G::Clamp(1000, 200, 333), 333);
}

TEST(ScrollBarGeometry, ArrowsSitAtTheEndsCentredAcrossAndHorizontalMirrorsVertical) {
  const ScrollBarLayout v = G::Arrange({17, 300}, {13, 16}, {11, 18}, true);
  EXPECT_EQ(v.up_arrow, (Rect{2, 0, 15, 16}));
  EXPECT_EQ(v.down_arrow, (Rect{3, 282, 14, 300}));
  EXPECT_EQ(v.track_start, 16);
  EXPECT_EQ(v.track_length, 266);
  const ScrollBarLayout h = G::Arrange({300, 17}, {16, 13}, {18, 11}, false);
  EXPECT_EQ(h.up_arrow, (Rect{0, 2, 16, 15}));
  EXPECT_EQ(h.down_arrow, (Rect{282, 3, 300, 14}));
  EXPECT_EQ(h.track_start, 16);
  EXPECT_EQ(h.track_length, 266);
  EXPECT_EQ(G::Thumb(h, {300, 17}, false, 1000, 200, 0), (Rect{16, 0, 70, 17}));  // 200 × 266 / 1000 + 1 = 54
}

TEST(ScrollBarGeometry, ArrowsLongerThanTheBarLeaveNoTrack) {
  const ScrollBarLayout l = G::Arrange({17, 20}, {17, 17}, {17, 17}, true);
  EXPECT_EQ(l.track_length, 0);
  EXPECT_EQ(G::ThumbLength(1000, 10, l.track_length), 0);
}

TEST(ScrollBarGeometry, HitOrderIsArrowsThumbThenTheTrackOnEitherSide) {
  const ScrollBarLayout v = G::Arrange({17, 340}, {17, 20}, {17, 20}, true);
  const Rect thumb = G::Thumb(v, {17, 340}, true, 1000, 200, 400);  // 20 + 119 .. + 61
  ASSERT_EQ(thumb, (Rect{0, 139, 17, 200}));
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 0), ScrollBarPart::UpArrow);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 339), ScrollBarPart::DownArrow);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 139), ScrollBarPart::Thumb);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 138), ScrollBarPart::PageUp);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 20), ScrollBarPart::PageUp);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, 200), ScrollBarPart::PageDown);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 17, 150), ScrollBarPart::None);
  EXPECT_EQ(G::HitPart(v, thumb, {17, 340}, true, 8, -1), ScrollBarPart::None);
  EXPECT_EQ(G::HitPart(v, Rect{}, {17, 340}, true, 8, 150), ScrollBarPart::None);  // no thumb, no page areas

  const ScrollBarLayout h = G::Arrange({340, 17}, {20, 17}, {20, 17}, false);
  const Rect ht = G::Thumb(h, {340, 17}, false, 1000, 200, 400);
  EXPECT_EQ(ht, (Rect{139, 0, 200, 17}));
  EXPECT_EQ(G::HitPart(h, ht, {340, 17}, false, 5, 8), ScrollBarPart::UpArrow);
  EXPECT_EQ(G::HitPart(h, ht, {340, 17}, false, 100, 8), ScrollBarPart::PageUp);
  EXPECT_EQ(G::HitPart(h, ht, {340, 17}, false, 250, 8), ScrollBarPart::PageDown);
  EXPECT_EQ(G::HitPart(h, ht, {340, 17}, false, 335, 8), ScrollBarPart::DownArrow);
}

TEST(ComboPlacement, TenItemsOpenA184PixelPopupOfSixRowsBelow) {
  const ComboDropPlacement p = ComboPlacement::Place({100, 200, 300, 230}, 10, 768);
  EXPECT_TRUE(p.below);
  EXPECT_EQ(p.rows, 6);
  EXPECT_EQ(p.popup, (Rect{100, 229, 300, 413}));
}

TEST(ComboPlacement, NearTheScreenBottomThePopupOpensAbove) {
  // 560 + 180 + 30 + 8 = 778 does not fit in 768.
  const ComboDropPlacement p = ComboPlacement::Place({100, 560, 300, 590}, 10, 768);
  EXPECT_FALSE(p.below);
  EXPECT_EQ(p.popup, (Rect{100, 379, 300, 563}));
  // The boundary: 549 + 180 + 30 + 8 = 767 still fits, 550 does not.
  EXPECT_TRUE(ComboPlacement::Place({0, 549, 50, 579}, 10, 768).below);
  EXPECT_FALSE(ComboPlacement::Place({0, 550, 50, 580}, 10, 768).below);
}

TEST(ComboPlacement, FewItemsGetAShorterPopupAndNegativeCountsNone) {
  const ComboDropPlacement two = ComboPlacement::Place({0, 0, 80, 24}, 2, 768);
  EXPECT_EQ(two.rows, 2);
  EXPECT_EQ(two.popup, (Rect{0, 23, 80, 87}));
  const ComboDropPlacement none = ComboPlacement::Place({0, 0, 80, 24}, -3, 768);
  EXPECT_EQ(none.rows, 0);
  EXPECT_EQ(none.popup.height(), 4);
  // A count whose height overflows 32 bits stays at the cap.
  EXPECT_EQ(ComboPlacement::Place({0, 0, 80, 24}, INT_MAX, 768).popup.height(), 184);
}

// ---- Controls in a tree --------------------------------------------------

// A clock the test ticks by hand.
class ManualClock : public RepeatClock {
 public:
  explicit ManualClock(int* starts) : starts_(starts) {}
  void Start() override {
    if (!running_) ++*starts_;
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool running() const override { return running_; }

 private:
  int* starts_;
  bool running_ = false;
};

class Scrolling : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Initialize(u"scrolling", std::make_unique<testing::TestPlatform>(state_)));
    auto pack = std::make_unique<MemoryFileSource>();
    pack->Put(u"font.xml", R"(<F><Font name="Default" size="12"/></F>)");
    pack->Put(u"vscrollbar.xml", R"(<Styles><Style class="ScrollBar">
      <Setters barSkin="bar" upArrowUpSkin="up" downArrowUpSkin="down"/></Style></Styles>)");
    UiRuntime::Instance()->SetSkinSource(std::move(pack));
    UiRuntime::Instance()->skins()->PutImage(u"bar", std::make_unique<MemoryTexture>(15, 40));
    UiRuntime::Instance()->skins()->PutImage(u"up", std::make_unique<MemoryTexture>(15, 20));
    UiRuntime::Instance()->skins()->PutImage(u"down", std::make_unique<MemoryTexture>(15, 20));
  }
  void TearDown() override { Shutdown(); }

  // A 15 x 340 bar (a 300-pixel track) in a grid, range 1000, page 200.
  ScrollBar* AddBar(AttachedTree& tree, std::int32_t position = 0) {
    auto* bar = static_cast<ScrollBar*>(static_cast<Panel*>(tree.root())->AddChild(std::make_unique<ScrollBar>()));
    bar->SetRepeatClock(std::make_unique<ManualClock>(&clock_starts_));
    bar->SetValue(attr::width, 15);
    bar->SetValue(attr::height, 340);
    bar->SetKeyword(attr::horizontalAlign, Keyword::Left);
    bar->SetKeyword(attr::verticalAlign, Keyword::Top);
    tree.Layout(400, 400);
    bar->set_range(1000);
    bar->set_page(200);
    bar->SetPosition(position);
    return bar;
  }
  // The window's press: capture and Pressed for a capturing control, then LButtonDown bubbling.
  static void Press(AttachedTree& tree, Control* c, std::int32_t x, std::int32_t y) {
    tree.window().cursor = {x, y};
    if (c->HasFlag(ControlFlags::CaptureOnPress)) {
      tree.window().CaptureControl(c);
      c->SetFlag(ControlFlags::Pressed, true);
    }
    EventArgs down{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
    c->RaiseEvent(down);
  }
  static void MoveTo(AttachedTree& tree, Control* c, std::int32_t x, std::int32_t y, Routing routing) {
    tree.window().cursor = {x, y};
    EventArgs move{EventKind::MouseMove, routing, 0, 0, 0};
    c->RaiseEvent(move);
  }
  static void Release(AttachedTree& tree, Control* c) {
    tree.window().ReleaseControlCapture();
    c->SetFlag(ControlFlags::Pressed, false);
    EventArgs lost{EventKind::LostCapture, Routing::Direct, 0, 0, 0};
    c->RaiseEvent(lost);
  }
  static void Wheel(Control* c, std::int32_t delta) {
    const auto wparam = static_cast<std::intptr_t>((static_cast<std::uint32_t>(delta) & 0xFFFFu) << 16);
    EventArgs wheel{EventKind::MouseWheel, Routing::Bubble, wparam, 0, 0};
    c->RaiseEvent(wheel);
  }
  // Records the bar's notifications as "code" or "code:position".
  void Record(ScrollBar* bar) { bar->AddHandler(EventKind::Notify, this, &OnNotify); }
  static void OnNotify(void* context, Control*, EventArgs& args) {
    auto* self = static_cast<Scrolling*>(context);
    std::string entry = std::to_string(args.param1);
    if (args.param1 == ScrollNotify::ThumbDrag) entry += ":" + std::to_string(args.param2);
    self->notes_.push_back(entry);
  }

  testing::TestPlatformState state_;
  int clock_starts_ = 0;
  std::vector<std::string> notes_;
};

TEST_F(Scrolling, BarWithRangeEqualToPageIsDisabledAndStaysAtZero) {
  AttachedTree tree("<Grid/>");
  ScrollBar* bar = AddBar(tree);
  bar->set_range(100);
  bar->set_page(100);
  bar->SetPosition(50);
  EXPECT_FALSE(bar->IsEnabled());
  EXPECT_EQ(bar->position(), 0);
  bar->set_range(101);
  bar->SetPosition(50);
  EXPECT_TRUE(bar->IsEnabled());
  EXPECT_EQ(bar->position(), 1);
}

TEST_F(Scrolling, BarThatIsNotAttachedSaysSoAndKeepsItsPosition) {
  ScrollBar bar;
  bar.set_range(1000);
  bar.set_page(200);
  bar.SetPosition(300);
  EXPECT_EQ(bar.position(), 0);
  EXPECT_EQ(state_.debug_messages, (std::vector<std::u16string>{u"ScrollBar::EnsurePosition UnExpected Error.\n"}));
}

TEST_F(Scrolling, BarTakesItsArrowsFromTheStyleAndItsThumbFromThePosition) {
  AttachedTree tree("<Grid/>");
  ScrollBar* bar = AddBar(tree, 800);
  EXPECT_EQ(bar->UpArrowRect(), (Rect{0, 0, 15, 20}));
  EXPECT_EQ(bar->DownArrowRect(), (Rect{0, 320, 15, 340}));
  EXPECT_EQ(bar->ThumbRect(), (Rect{0, 259, 15, 320}));  // 61 long, ending at the track's end
}

TEST_F(Scrolling, HoldingTheDownArrowNotifiesAtOnceAndAtEveryTick) {
  AttachedTree tree("<Grid/>");
  ScrollBar* bar = AddBar(tree);
  Record(bar);
  Press(tree, bar, 7, 330);
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::DownArrow);
  EXPECT_TRUE(bar->repeating());
  bar->OnRepeat();
  bar->OnRepeat();
  EXPECT_EQ(notes_, (std::vector<std::string>{"3", "3", "3"}));
  // Off the arrow the repeat stops; back on it, it runs again.
  MoveTo(tree, bar, 7, 100, Routing::Direct);
  EXPECT_FALSE(bar->repeating());
  MoveTo(tree, bar, 7, 335, Routing::Direct);
  EXPECT_TRUE(bar->repeating());
  Release(tree, bar);
  EXPECT_FALSE(bar->repeating());
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::None);
  EXPECT_EQ(clock_starts_, 2);
}

TEST_F(Scrolling, PageAreaRepeatsOnlyUntilTheThumbHasPassedTheCursor) {
  AttachedTree tree(R"(<ScrollPanel><StackPanel><Grid height="1000"/></StackPanel></ScrollPanel>)");
  tree.Layout(200, 200);
  auto* panel = static_cast<ScrollPanel*>(tree.root());
  ScrollBar* bar = panel->vertical_bar();
  ASSERT_NE(bar, nullptr);
  bar->SetRepeatClock(std::make_unique<ManualClock>(&clock_starts_));
  Record(bar);
  // Track 160 (20..180), thumb 200 × 160 / 1000 + 1 = 33 at the top; the cursor near the bottom.
  const Rect r = bar->rect();
  Press(tree, bar, r.left + 7, 170);
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::PageDown);
  EXPECT_EQ(bar->position(), 200);
  for (int i = 0; i < 6; ++i) bar->OnRepeat();
  // 200 at the press, then 400, 600, 800: there the thumb (147..180) covers the cursor.
  EXPECT_EQ(notes_, (std::vector<std::string>{"5", "5", "5", "5"}));
  EXPECT_EQ(bar->position(), 800);
  EXPECT_EQ(panel->content()->rect().top, -800);
}

TEST_F(Scrolling, DraggingTheThumbKeepsTheGrabPointUnderTheCursor) {
  AttachedTree tree("<Grid/>");
  ScrollBar* bar = AddBar(tree);
  Record(bar);
  Press(tree, bar, 7, 30);  // 10 pixels into the thumb at 20..81
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::Thumb);
  EXPECT_FALSE(bar->repeating());
  MoveTo(tree, bar, 7, 130, Routing::Direct);  // thumb start 120: 100 into the track
  MoveTo(tree, bar, 7, 5, Routing::Direct);    // above the track: negative, left to SetPosition
  EXPECT_EQ(notes_, (std::vector<std::string>{"6:334", "6:-83"}));
  Release(tree, bar);
  EXPECT_EQ(bar->PressedPart(), ScrollBarPart::None);
}

TEST_F(Scrolling, HoverFollowsTheCursorAndClearsOnLeave) {
  AttachedTree tree("<Grid/>");
  ScrollBar* bar = AddBar(tree);
  MoveTo(tree, bar, 7, 5, Routing::Bubble);
  EXPECT_EQ(bar->HoveredPart(), ScrollBarPart::UpArrow);
  MoveTo(tree, bar, 7, 200, Routing::Bubble);
  EXPECT_EQ(bar->HoveredPart(), ScrollBarPart::PageDown);
  EventArgs leave{EventKind::MouseLeave, Routing::Direct, 0, 0, 0};
  bar->RaiseEvent(leave);
  EXPECT_EQ(bar->HoveredPart(), ScrollBarPart::None);
}

TEST_F(Scrolling, PanelShowsABarOnlyWhenTheContentIsTallerInAutoMode) {
  AttachedTree tree(R"(<StackPanel>
      <ScrollPanel height="100"><StackPanel><Grid height="100"/></StackPanel></ScrollPanel>
      <ScrollPanel height="100"><StackPanel><Grid height="101"/></StackPanel></ScrollPanel>
      <ScrollPanel height="100" scrollvertical="always"><StackPanel><Grid height="10"/></StackPanel></ScrollPanel>
      <ScrollPanel height="100" scrollvertical="never"><StackPanel><Grid height="500"/></StackPanel></ScrollPanel>
    </StackPanel>)");
  tree.Layout(200, 400);
  std::vector<bool> shown;
  for (Control* c = static_cast<Panel*>(tree.root())->first_child(); c; c = c->next())
    shown.push_back(static_cast<ScrollPanel*>(c)->vertical_bar() != nullptr);
  EXPECT_EQ(shown, (std::vector<bool>{false, true, true, false}));
  auto* always = static_cast<ScrollPanel*>(static_cast<Panel*>(tree.root())->first_child()->next()->next());
  EXPECT_FALSE(always->vertical_bar()->IsEnabled());  // nothing to scroll
  auto* never = static_cast<ScrollPanel*>(static_cast<Panel*>(tree.root())->last_child());
  EXPECT_EQ(never->content()->rect().height(), 500);
}

TEST_F(Scrolling, BarIsAsWideAsTheStyleBarSkinOr17WithoutOne) {
  AttachedTree tree(R"(<ScrollPanel scrollvertical="always"><StackPanel/></ScrollPanel>)");
  tree.Layout(200, 100);
  auto* panel = static_cast<ScrollPanel*>(tree.root());
  EXPECT_EQ(panel->vertical_bar()->rect(), (Rect{185, 0, 200, 100}));
  EXPECT_EQ(panel->content()->rect(), (Rect{0, 0, 200, 100}));  // under the bar: the bar paints last
}

TEST(ScrollPanelWithoutBarStyle, BarIs17PixelsWide) {
  testing::TestPlatformState state;
  ASSERT_TRUE(Initialize(u"scrolling", std::make_unique<testing::TestPlatform>(state)));
  UiRuntime::Instance()->SetSkinSource(std::make_unique<MemoryFileSource>());
  {
    AttachedTree tree(R"(<ScrollPanel scrollvertical="always"><StackPanel/></ScrollPanel>)");
    tree.Layout(200, 101);
    auto* panel = static_cast<ScrollPanel*>(tree.root());
    EXPECT_EQ(panel->vertical_bar()->rect(), (Rect{183, 0, 200, 101}));
    // No arrow images: the track is the whole bar.
    EXPECT_EQ(panel->vertical_bar()->UpArrowRect().height(), 0);
  }
  Shutdown();
}

TEST_F(Scrolling, WheelNotchScrollsOneStepAndRearrangeKeepsThePosition) {
  AttachedTree tree(R"(<ScrollPanel><StackPanel><Grid height="1000"/></StackPanel></ScrollPanel>)");
  tree.Layout(200, 200);
  auto* panel = static_cast<ScrollPanel*>(tree.root());
  Wheel(panel->content(), -120);
  EXPECT_EQ(panel->scroll_position(), 30);
  EXPECT_EQ(panel->content()->rect(), (Rect{0, -30, 200, 970}));
  EXPECT_EQ(tree.window().mouse_moves_posted, 1);
  Wheel(panel, 240);
  EXPECT_EQ(panel->scroll_position(), 0);
  panel->SetValue(attr::itemHeight, 45);
  Wheel(panel, -360);
  EXPECT_EQ(panel->scroll_position(), 135);
  tree.Layout(200, 300);  // a new bar, the same position
  EXPECT_NE(panel->vertical_bar(), nullptr);
  EXPECT_EQ(panel->scroll_position(), 135);
  EXPECT_EQ(panel->content()->rect().top, -135);
  tree.Layout(200, 900);  // clamped to the new end
  EXPECT_EQ(panel->scroll_position(), 100);
}

TEST_F(Scrolling, WheelWithoutABarIsLeftToAnOuterPanel) {
  AttachedTree tree(R"(<ScrollPanel><StackPanel>
      <ScrollPanel height="100"><StackPanel><Grid height="50"/></StackPanel></ScrollPanel>
      <Grid height="900"/></StackPanel></ScrollPanel>)");
  tree.Layout(200, 200);
  auto* outer = static_cast<ScrollPanel*>(tree.root());
  auto* inner = static_cast<ScrollPanel*>(static_cast<Panel*>(outer->content())->first_child());
  Wheel(inner->content(), -120);
  EXPECT_EQ(outer->scroll_position(), 30);
}

TEST_F(Scrolling, BarNotificationsMoveByStepPageAndDrag) {
  AttachedTree tree(R"(<ScrollPanel itemHeight="25"><StackPanel><Grid height="1000"/></StackPanel></ScrollPanel>)");
  tree.Layout(200, 200);
  auto* panel = static_cast<ScrollPanel*>(tree.root());
  ScrollBar* bar = panel->vertical_bar();
  auto notify = [&](std::intptr_t code, std::intptr_t p = 0) {
    EventArgs a{EventKind::Notify, Routing::Direct, code, p, 0};
    bar->RaiseEvent(a);
    return panel->scroll_position();
  };
  EXPECT_EQ(notify(ScrollNotify::LineDown), 25);
  EXPECT_EQ(notify(ScrollNotify::PageDown), 225);
  EXPECT_EQ(notify(ScrollNotify::LineUp), 200);
  EXPECT_EQ(notify(ScrollNotify::PageUp), 0);
  EXPECT_EQ(notify(ScrollNotify::ThumbDrag, 5000), 800);
  EXPECT_EQ(notify(ScrollNotify::ThumbDrag, -9), 0);
  EXPECT_EQ(notify(99), 0);
}

TEST_F(Scrolling, PressOnThePanelFocusesIt) {
  AttachedTree tree(R"(<ScrollPanel><StackPanel><Grid height="50"/></StackPanel></ScrollPanel>)");
  tree.Layout(200, 200);
  Press(tree, static_cast<ScrollPanel*>(tree.root())->content(), 10, 10);
  EXPECT_EQ(tree.window().focused, tree.root());
}

// ---- ListBox -------------------------------------------------------------

class Lists : public Scrolling {
 protected:
  // A 100-pixel list of `n` rows "item 0".. (30 pixels each).
  ListBox* Fill(AttachedTree& tree, int n) {
    auto* list = static_cast<ListBox*>(tree.root());
    for (int i = 0; i < n; ++i) list->AddItem(u"item " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    tree.Layout(200, 100);
    return list;
  }
  static void Key(Control* c, std::int32_t vk) {
    EventArgs key{EventKind::KeyDown, Routing::Bubble, vk, 0, 0};
    c->RaiseEvent(key);
  }
  static void OnChosen(void* context, Control*, EventArgs& args) {
    static_cast<std::vector<std::intptr_t>*>(context)->push_back(args.param1);
  }
};

TEST_F(Lists, ItemsAreStackPanelRowsOfItemHeight) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 5);
  EXPECT_EQ(list->item_count(), 5);
  EXPECT_EQ(list->items()->parent(), list);
  EXPECT_EQ(list->item_at(2)->rect(), (Rect{0, 60, 200, 90}));
  EXPECT_EQ(list->item_at(5), nullptr);
  EXPECT_EQ(list->item_at(-1), nullptr);
  EXPECT_EQ(list->IndexOf(list->item_at(4)), 4);
  EXPECT_EQ(list->IndexOf(list), -1);
  EXPECT_NE(list->vertical_bar(), nullptr);  // 150 in 100
}

TEST_F(Lists, SelectionMovesCheckedAndGivesTheSelectedText) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 3);
  EXPECT_EQ(list->GetSelectedText(), u"");
  list->Select(list->item_at(1));
  EXPECT_TRUE(list->item_at(1)->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(list->GetSelectedText(), u"item 1");
  list->Select(list->item_at(2));
  EXPECT_FALSE(list->item_at(1)->HasFlag(ControlFlags::Checked));
  EXPECT_TRUE(list->item_at(2)->HasFlag(ControlFlags::Checked));
  list->Select(list);  // not an item: nothing changes
  EXPECT_EQ(list->selected(), list->item_at(2));
  list->Select(nullptr);
  EXPECT_FALSE(list->item_at(2)->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(list->GetSelectedText(), u"");
}

TEST_F(Lists, DownAndUpMoveTheSelectionAndScrollItIntoView) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 6);  // 180 in 100
  Key(list, ListBox::kKeyDown);  // no selection: nothing
  EXPECT_EQ(list->selected(), nullptr);
  list->Select(list->item_at(2));
  Key(list, ListBox::kKeyDown);  // row 3 at 90..120: bottom below 100
  EXPECT_EQ(list->selected(), list->item_at(3));
  EXPECT_EQ(list->scroll_position(), 20);
  Key(list, ListBox::kKeyDown);
  Key(list, ListBox::kKeyDown);
  Key(list, ListBox::kKeyDown);  // already last
  EXPECT_EQ(list->selected(), list->item_at(5));
  EXPECT_EQ(list->scroll_position(), 80);
  EXPECT_EQ(list->items()->rect().top, -80);
  for (int i = 0; i < 4; ++i) Key(list, ListBox::kKeyUp);  // row 1 at 30: above 80
  EXPECT_EQ(list->selected(), list->item_at(1));
  EXPECT_EQ(list->scroll_position(), 30);
  Key(list, ListBox::kKeyUp);
  Key(list, ListBox::kKeyUp);
  EXPECT_EQ(list->selected(), list->item_at(0));
  EXPECT_EQ(list->scroll_position(), 0);
}

TEST_F(Lists, PressAndReleaseOnOneRowChoosesItAndNotifies) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 6);
  std::vector<std::intptr_t> chosen;
  list->AddHandler(EventKind::Notify, &chosen, &OnChosen);
  Control* row = list->item_at(1);
  Press(tree, row, 10, 40);
  EXPECT_EQ(tree.window().focused, list);
  EventArgs up{EventKind::LButtonUp, Routing::Bubble, 0, 0, 0};
  row->RaiseEvent(up);
  EXPECT_EQ(chosen, (std::vector<std::intptr_t>{1}));
  EXPECT_EQ(list->GetSelectedText(), u"item 1");
  // Pressed on one row, released on another: no choice.
  Press(tree, list->item_at(0), 10, 5);
  tree.window().cursor = {10, 70};
  EventArgs up2{EventKind::LButtonUp, Routing::Bubble, 0, 0, 0};
  list->item_at(2)->RaiseEvent(up2);
  EXPECT_EQ(chosen.size(), 1u);
  EXPECT_EQ(list->selected(), row);
}

TEST_F(Lists, ScrolledRowsAreFoundWhereTheyAreShown) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 6);
  list->ScrollTo(50);
  std::vector<std::intptr_t> chosen;
  list->AddHandler(EventKind::Notify, &chosen, &OnChosen);
  Press(tree, list->item_at(2), 10, 15);  // 15 + 50 = 65: row 2
  EventArgs up{EventKind::LButtonUp, Routing::Bubble, 0, 0, 0};
  list->item_at(2)->RaiseEvent(up);
  EXPECT_EQ(chosen, (std::vector<std::intptr_t>{2}));
}

TEST_F(Lists, RemovingTheSelectedRowLeavesNoSelection) {
  AttachedTree tree("<ListBox/>");
  ListBox* list = Fill(tree, 3);
  list->Select(list->item_at(1));
  std::unique_ptr<Control> gone = list->items()->RemoveChild(list->item_at(1));
  gone.reset();
  EXPECT_EQ(list->selected(), nullptr);
  EXPECT_EQ(list->GetSelectedText(), u"");
  Key(list, ListBox::kKeyDown);  // must not touch the destroyed row
  EXPECT_EQ(list->selected(), nullptr);
}

}  // namespace
}  // namespace vcam::dui
