// Measure and arrange of a single control inside a slot: margins, fixed sizes,
// alignment and pinning.
#include <gtest/gtest.h>

#include "dui/core/control.h"
#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;

Rect R(int l, int t, int r, int b) { return {l, t, r, b}; }

TEST(MeasureArrange, RightAlignedButtonWithMarginInAGrid) {
  AttachedTree tree(R"(<Grid width="645" height="80">
      <Button id="1003" width="136" height="43" horizontalAlign="right" margin="0,0,20,0"/>
    </Grid>)");
  tree.Layout(645, 80);
  Control* button = tree.ById(1003);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->desired(), (Size{156, 43}));
  EXPECT_EQ(button->rect(), R(489, 18, 625, 61));
}

TEST(MeasureArrange, MarginsThatDoNotFitLeaveAnEmptyRect) {
  AttachedTree tree(R"(<Canvas><Label id="1" margin="10,10,10,10" width="15" height="15"/></Canvas>)");
  Control* label = tree.ById(1);
  label->Measure(15, 15);
  EXPECT_EQ(label->desired(), (Size{0, 0}));
  label->Arrange(0, 0, 15, 15);
  EXPECT_EQ(label->rect(), R(0, 0, 0, 0));
}

TEST(MeasureArrange, MeasuringWithExactlyTheMarginsGivesZero) {
  AttachedTree tree(R"(<Grid><Label id="1" margin="5,0,5,0" width="4" height="4"/></Grid>)");
  EXPECT_EQ(tree.ById(1)->Measure(10, 100), (Size{0, 0}));
  EXPECT_EQ(tree.ById(1)->Measure(11, 100), (Size{14, 4}));
}

TEST(MeasureArrange, CentringWithAnOddSparePixelLeavesItOnTheRight) {
  AttachedTree tree(R"(<Grid><Label id="1" width="10" height="10" horizontalAlign="center"
      verticalAlign="center"/></Grid>)");
  tree.Layout(21, 21);
  EXPECT_EQ(tree.ById(1)->rect(), R(5, 5, 15, 15));
}

TEST(MeasureArrange, AlignmentsPlaceAFixedControlInItsSlot) {
  AttachedTree tree(R"(<Grid>
      <Label id="1" width="10" height="10" horizontalAlign="left" verticalAlign="top"/>
      <Label id="2" width="10" height="10" horizontalAlign="right" verticalAlign="bottom"/>
      <Label id="3" width="10" height="10" margin="1,2,3,4" horizontalAlign="right" verticalAlign="bottom"/>
    </Grid>)");
  tree.Layout(100, 50);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 10, 10));
  EXPECT_EQ(tree.ById(2)->rect(), R(90, 40, 100, 50));
  EXPECT_EQ(tree.ById(3)->rect(), R(87, 36, 97, 46));
}

TEST(MeasureArrange, StretchedControlWithoutSizeFillsItsSlotInsideTheMargins) {
  AttachedTree tree(R"(<Grid><Grid id="1" margin="3,4,5,6"/></Grid>)");
  tree.Layout(100, 50);
  EXPECT_EQ(tree.ById(1)->rect(), R(3, 4, 95, 44));
}

TEST(MeasureArrange, ControlLargerThanItsSlotIsPinnedToTheTopLeft) {
  AttachedTree tree(R"(<Grid><Label id="1" width="80" height="60" margin="2,3,0,0"
      horizontalAlign="right" verticalAlign="bottom"/></Grid>)");
  tree.Layout(50, 40);
  EXPECT_EQ(tree.ById(1)->rect(), R(2, 3, 82, 63));
}

TEST(MeasureArrange, UnknownAlignmentKeywordFallsBackToLeftAndTop) {
  AttachedTree tree(R"(<Grid><Label id="1" width="10" height="10" horizontalAlign="Center"
      verticalAlign="middle"/></Grid>)");
  tree.Layout(100, 50);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 10, 10));
}

TEST(MeasureArrange, StretchWithoutFixedSizeTakesTheWholeSlotEvenWhenContentIsSmaller) {
  AttachedTree tree(R"(<Grid><StackPanel id="1"><Label height="5" width="5"/></StackPanel></Grid>)");
  tree.Layout(60, 30);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{5, 5}));
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 60, 30));
}

TEST(MeasureArrange, NonStretchedControlTakesItsContentSize) {
  AttachedTree tree(R"(<Grid><StackPanel id="1" horizontalAlign="left" verticalAlign="top">
      <Label width="7" height="5"/><Label width="3" height="6"/></StackPanel></Grid>)");
  tree.Layout(60, 30);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 7, 11));
}

TEST(MeasureArrange, DetachedControlIsNeitherMeasuredNorArranged) {
  std::unique_ptr<Control> tree = testing::BuildTree(R"(<Grid width="10" height="10"/>)");
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->Measure(100, 100), (Size{0, 0}));
  tree->Arrange(0, 0, 100, 100);
  EXPECT_EQ(tree->rect(), R(0, 0, 0, 0));
}

TEST(MeasureArrange, CollapsedControlTakesNoSpaceAndGetsAnEmptyRect) {
  AttachedTree tree(R"(<Grid><Label id="1" width="10" height="10"/></Grid>)");
  tree.ById(1)->SetFlag(ControlFlags::Collapsed, true);
  tree.Layout(100, 50);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{0, 0}));
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 0, 0));
  EXPECT_EQ(tree.root()->desired(), (Size{0, 0}));
}

TEST(MeasureArrange, ExplicitMinusOneMeansNoFixedSize) {
  AttachedTree tree(R"(<Grid><StackPanel id="1" width="-1" horizontalAlign="left">
      <Label width="7" height="5"/></StackPanel></Grid>)");
  tree.Layout(60, 30);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{7, 5}));
}

}  // namespace
}  // namespace vcam::dui
