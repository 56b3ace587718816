// The slider under the mouse and the wheel: value from a point, clamping,
// thumb hover as Checked, and the size it asks for.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/slider.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/memory_texture.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;

// A 110 x 20 slider at (10, 10); the thumb of "slider.xml" is 10 x 20, so the
// thumb travels 100 pixels for the values 0 to 100.
constexpr std::string_view kSlider =
    R"(<Grid><Slider id="1" width="110" height="20" margin="10,10,0,0" horizontalAlign="left" verticalAlign="top"/></Grid>)";
// A 20 x 210 vertical one at (0, 0): 200 pixels of travel.
constexpr std::string_view kVertical =
    R"(<Grid><Slider id="1" orientation="vertical" width="20" height="210" horizontalAlign="left" verticalAlign="top"/></Grid>)";

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Initialize(u"slider", std::make_unique<testing::TestPlatform>(state_)));
    UiRuntime* rt = UiRuntime::Instance();
    auto skin = std::make_unique<MemoryFileSource>();
    skin->Put(u"slider.xml", R"(<S><Style class="Slider"><A thumbUpSkin="thumb.png" thumbOverSkin="over.png"/></Style></S>)");
    skin->Put(u"big.xml", R"(<S><Style class="Slider"><A thumbUpSkin="big.png"/></Style></S>)");
    rt->SetSkinSource(std::move(skin));
    rt->skins()->PutImage(u"thumb.png", std::make_unique<MemoryTexture>(10, 20));
    rt->skins()->PutImage(u"over.png", std::make_unique<MemoryTexture>(11, 20));
    rt->skins()->PutImage(u"big.png", std::make_unique<MemoryTexture>(30, 16));
  }
  void TearDown() override { Shutdown(); }

  static Slider* SliderIn(AttachedTree& tree) { return static_cast<Slider*>(tree.ById(1)); }

  // Counts ValueChange events on a control.
  static void Count(void* context, Control*, EventArgs& args) {
    static_cast<std::vector<std::int32_t>*>(context)->push_back(args.kind);
  }

  // The window host's part of a press on a CaptureOnPress control.
  static void Press(AttachedTree& tree, Point p) {
    tree.window().cursor = p;
    Control* hit = tree.root()->HitTest(p.x, p.y);
    ASSERT_NE(hit, nullptr);
    tree.window().CaptureControl(hit);
    hit->SetFlag(ControlFlags::Pressed, true);
    EventArgs down{EventKind::LButtonDown, Routing::Bubble, 0, 0, 0};
    hit->RaiseEvent(down);
    EXPECT_EQ(down.handled, 1);
  }
  static void Move(Control& c, AttachedTree& tree, Point p) {
    tree.window().cursor = p;
    EventArgs move{EventKind::MouseMove, Routing::Bubble, 0, 0, 0};
    c.RaiseEvent(move);
  }
  static std::int32_t Wheel(Control& c, std::int16_t delta) {
    EventArgs wheel{EventKind::MouseWheel, Routing::Bubble,
                    static_cast<std::intptr_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(delta)) << 16), 0,
                    0};
    c.RaiseEvent(wheel);
    return wheel.handled;
  }

  testing::TestPlatformState state_;
};

TEST_F(SliderTest, IsMadeWithItsFlagsAndStartsUnsetAtMaximum100) {
  std::unique_ptr<Control> control = testing::BuildTree("<Slider/>");
  auto* slider = dynamic_cast<Slider*>(control.get());
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->flags(), 0x20000u | 0x100u | ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState |
                                 ControlFlags::Initial);
  EXPECT_EQ(slider->value(), -1);
  EXPECT_EQ(slider->maximum(), 100);
}

TEST_F(SliderTest, SetValueClampsAndRaisesNoSecondValueChangeForTheSameValue) {
  AttachedTree tree(kSlider);
  Slider* slider = SliderIn(tree);
  std::vector<std::int32_t> events;
  slider->AddHandler(EventKind::ValueChange, &events, &Count);

  EXPECT_TRUE(slider->SetValue(150));
  EXPECT_EQ(slider->value(), 100);
  EXPECT_FALSE(slider->SetValue(100));
  EXPECT_FALSE(slider->SetValue(150));
  EXPECT_EQ(events.size(), 1u);

  EXPECT_TRUE(slider->SetValue(-40));
  EXPECT_EQ(slider->value(), 0);
  EXPECT_FALSE(slider->SetValue(0));
  EXPECT_EQ(events.size(), 2u);
  EXPECT_EQ(tree.window().invalidated, (std::vector<const Control*>{slider, slider}));
}

TEST_F(SliderTest, HorizontalAsksForItsWidthAndTheThumbHeight) {
  AttachedTree tree(R"(<Slider/>)");
  EXPECT_EQ(tree.root()->Measure(300, 100), (Size{300, 20}));
  AttachedTree styled(R"(<Slider style="big.xml" orientation="horizontal"/>)");
  EXPECT_EQ(styled.root()->Measure(300, 100), (Size{300, 16}));
}

TEST_F(SliderTest, AnyOrientationButHorizontalIsVertical) {
  for (const char* layout : {R"(<Slider orientation="vertical"/>)", R"(<Slider orientation="sideways"/>)",
                             R"(<Slider orientation="top"/>)"}) {
    SCOPED_TRACE(layout);
    AttachedTree tree(layout);
    EXPECT_TRUE(static_cast<Slider*>(tree.root())->IsVertical());
    EXPECT_EQ(tree.root()->Measure(300, 100), (Size{10, 100}));
  }
  AttachedTree plain(R"(<Slider/>)");
  EXPECT_FALSE(static_cast<Slider*>(plain.root())->IsVertical());
}

TEST_F(SliderTest, PressSetsTheValueUnderTheCursorAndDraggingFollowsWithinTheRange) {
  AttachedTree tree(kSlider);
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  std::vector<std::int32_t> events;
  slider->AddHandler(EventKind::ValueChange, &events, &Count);

  Press(tree, {10 + 55, 15});
  EXPECT_EQ(slider->value(), 50);
  EXPECT_EQ(slider->ThumbRect(), (Rect{50, 0, 60, 20}));
  Move(*slider, tree, {10 + 85, 15});
  EXPECT_EQ(slider->value(), 80);
  // Dragged past either end, still inside the range; outside the control too.
  Move(*slider, tree, {190, 90});
  EXPECT_EQ(slider->value(), 100);
  EXPECT_EQ(slider->ThumbRect(), (Rect{100, 0, 110, 20}));
  Move(*slider, tree, {195, 90});
  Move(*slider, tree, {0, 0});
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(events.size(), 4u);
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
}

TEST_F(SliderTest, VerticalTakesTheValueFromY) {
  AttachedTree tree(kVertical);
  tree.Layout(200, 300);
  Slider* slider = SliderIn(tree);
  Press(tree, {10, 110});  // (110 - 10) x 100 / 190
  EXPECT_EQ(slider->value(), 52);
  EXPECT_EQ(slider->ThumbRect(), (Rect{5, 98, 15, 118}));
}

TEST_F(SliderTest, HoveringTheThumbSetsCheckedAndLeavingClearsIt) {
  AttachedTree tree(kSlider);
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  slider->SetValue(50);  // thumb at 50..60 inside the slider
  tree.window().invalidated.clear();

  Move(*slider, tree, {10 + 40, 15});
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
  EXPECT_TRUE(tree.window().invalidated.empty());
  Move(*slider, tree, {10 + 52, 15});
  EXPECT_TRUE(slider->HasFlag(ControlFlags::Checked));
  Move(*slider, tree, {10 + 59, 29});
  EXPECT_TRUE(slider->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(tree.window().invalidated.size(), 1u);
  Move(*slider, tree, {10 + 60, 15});
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
  Move(*slider, tree, {10 + 55, 15});
  EXPECT_TRUE(slider->HasFlag(ControlFlags::Checked));
  // Hovering changes no value.
  EXPECT_EQ(slider->value(), 50);

  EventArgs leave{EventKind::MouseLeave, Routing::Direct, 0, 0, 0};
  slider->RaiseEvent(leave);
  EXPECT_FALSE(slider->HasFlag(ControlFlags::Checked));
  EXPECT_EQ(tree.window().invalidated.size(), 4u);
}

TEST_F(SliderTest, EachWheelNotchMovesTwoAndAsksForHoverAgain) {
  AttachedTree tree(kSlider);
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  slider->SetValue(50);
  EXPECT_EQ(Wheel(*slider, 120), 1);
  EXPECT_EQ(slider->value(), 52);
  Wheel(*slider, -360);
  EXPECT_EQ(slider->value(), 46);
  Wheel(*slider, 30);  // a fine-grained wheel's part notch is less than one step
  EXPECT_EQ(slider->value(), 46);
  EXPECT_EQ(tree.window().mouse_moves_posted, 3);
  slider->SetValue(99);
  Wheel(*slider, 120);
  Wheel(*slider, 120);
  EXPECT_EQ(slider->value(), 100);
}

TEST_F(SliderTest, WithoutAThumbImageTheWholeLengthIsTravel) {
  AttachedTree tree(R"(<Grid><Slider id="1" style="none.xml" width="100" height="20" horizontalAlign="left" verticalAlign="top"/></Grid>)");
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  Press(tree, {25, 5});
  EXPECT_EQ(slider->value(), 25);
  EXPECT_EQ(slider->ThumbRect(), (Rect{25, 10, 25, 10}));
  EXPECT_EQ(slider->MeasureOverride(100, 40), (Size{100, 0}));
}

TEST_F(SliderTest, TooShortForItsThumbStaysAtZero) {
  AttachedTree tree(R"(<Grid><Slider id="1" width="8" height="20" horizontalAlign="left" verticalAlign="top"/></Grid>)");
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  Press(tree, {6, 5});
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(slider->ThumbRect(), (Rect{0, 0, 10, 20}));
}

TEST_F(SliderTest, PaintsWithSliderXmlUnlessItNamesAStyle) {
  AttachedTree tree(kSlider);
  tree.Layout(200, 100);
  Slider* slider = SliderIn(tree);
  slider->SetValue(100);
  testing::RecordingPainter painter;
  slider->Paint(painter, {10, 10, 120, 30}, {10, 10, 120, 30});
  EXPECT_EQ(painter.log, (std::vector<std::string>{"image 10x20 110,10,120,30 <- 0,0,10,20"}));
  slider->SetFlag(ControlFlags::Checked, true);
  painter.log.clear();
  slider->Paint(painter, {10, 10, 120, 30}, {10, 10, 120, 30});
  EXPECT_EQ(painter.log, (std::vector<std::string>{"image 11x20 110,10,120,30 <- 0,0,11,20"}));
}

}  // namespace
}  // namespace vcam::dui
