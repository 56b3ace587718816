// How each panel shares its space among its children.
#include <gtest/gtest.h>

#include "dui/core/control.h"
#include "dui/core/panel.h"
#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;

Rect R(int l, int t, int r, int b) { return {l, t, r, b}; }

TEST(CanvasLayout, NegativeXCountsFromTheRightEdgeAndNegativeYFromTheBottom) {
  AttachedTree tree(R"(<Canvas width="200" height="100">
      <Label id="1" x="-30" width="20" height="10"/>
      <Label id="2" x="15" y="-25" width="20" height="10"/>
      <Label id="3" width="20" height="10"/>
    </Canvas>)");
  tree.Layout(200, 100);
  EXPECT_EQ(tree.ById(1)->rect(), R(170, 0, 190, 10));
  EXPECT_EQ(tree.ById(2)->rect(), R(15, 75, 35, 85));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 0, 20, 10));
}

TEST(CanvasLayout, ChildrenAreMeasuredUnboundedAndTheCanvasWantsNothing) {
  AttachedTree tree(R"(<Grid><Canvas id="1" horizontalAlign="left" verticalAlign="top">
      <Label id="2" width="500" height="400"/></Canvas></Grid>)");
  tree.Layout(100, 100);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{0, 0}));
  EXPECT_EQ(tree.ById(2)->desired(), (Size{500, 400}));
  // Nothing to arrange in: a canvas of no size has an empty rect.
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 0, 0));
}

TEST(StackPanelLayout, VerticalStackPlacesLabelsBelowEachOtherAtFullWidth) {
  AttachedTree tree(R"(<StackPanel>
      <Label id="1" height="20"/><Label id="2" height="20"/><Label id="3" height="20"/>
    </StackPanel>)");
  tree.Layout(120, 200);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 120, 20));
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 20, 120, 40));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 40, 120, 60));
  EXPECT_EQ(tree.root()->desired(), (Size{0, 60}));
}

TEST(StackPanelLayout, HorizontalStackSumsWidthsAndTakesTheTallestHeight) {
  AttachedTree tree(R"(<Grid><StackPanel id="9" orientation="horizontal" horizontalAlign="left"
      verticalAlign="top">
      <Label id="1" width="30" height="10" verticalAlign="top"/>
      <Label id="2" width="40" height="25" margin="5,0,5,0"/>
    </StackPanel></Grid>)");
  tree.Layout(300, 100);
  EXPECT_EQ(tree.ById(9)->desired(), (Size{80, 25}));
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 30, 10));
  EXPECT_EQ(tree.ById(2)->rect(), R(35, 0, 75, 25));
}

TEST(StackPanelLayout, UnknownOrientationIsVertical) {
  AttachedTree tree(R"(<StackPanel orientation="Horizontal">
      <Label id="1" height="10"/><Label id="2" height="10"/></StackPanel>)");
  tree.Layout(50, 50);
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 10, 50, 20));
}

TEST(StackPanelLayout, ChildrenBeyondThePanelAreNotClipped) {
  AttachedTree tree(R"(<StackPanel><Label id="1" height="30"/><Label id="2" height="30"/></StackPanel>)");
  tree.Layout(50, 40);
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 30, 50, 60));
}

TEST(StackPanelLayout, CollapsedChildTakesNoSpace) {
  AttachedTree tree(R"(<StackPanel><Label id="1" height="20"/><Label id="2" height="20"/>
      <Label id="3" height="20"/></StackPanel>)");
  tree.ById(2)->SetFlag(ControlFlags::Collapsed, true);
  tree.Layout(50, 100);
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 0, 0, 0));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 20, 50, 40));
}

TEST(DockPanelLayout, TopThenLeftThenTheLastChildFillsTheRest) {
  AttachedTree tree(R"(<DockPanel>
      <Label id="1" dock="top" height="30"/>
      <Label id="2" dock="left" width="50"/>
      <Label id="3" dock="right"/>
    </DockPanel>)");
  tree.Layout(200, 100);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 200, 30));
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 30, 50, 100));
  EXPECT_EQ(tree.ById(3)->rect(), R(50, 30, 200, 100));
}

TEST(DockPanelLayout, RightAndBottomStripsComeFromTheFarEdges) {
  AttachedTree tree(R"(<DockPanel>
      <Label id="1" dock="right" width="20"/>
      <Label id="2" dock="bottom" height="15"/>
      <Label id="3"/>
    </DockPanel>)");
  tree.Layout(100, 60);
  EXPECT_EQ(tree.ById(1)->rect(), R(80, 0, 100, 60));
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 45, 80, 60));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 0, 80, 45));
}

TEST(DockPanelLayout, CentreDockedChildIsMeasuredAsNothingButArrangedAtTheBottom) {
  AttachedTree tree(R"(<Grid><DockPanel id="9" horizontalAlign="left" verticalAlign="top">
      <Label id="1" dock="center" width="40" height="20"/>
      <Label id="2" dock="left" width="30" height="10"/>
      <Label id="3" width="5" height="5"/>
    </DockPanel></Grid>)");
  tree.Layout(200, 100);
  // Only the left-docked child counts: width 30 + last (none: it is docked left too).
  EXPECT_EQ(tree.ById(9)->desired(), (Size{35, 10}));
  // Arranged in 35 x 10: the centre child takes a bottom strip 20 high,
  // clamped to the top; its fixed width 40 overflows the 35 and is pinned left.
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 40, 20));
  // The bottom strip took more than the panel's height: nothing is left.
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 0, 0, 0));
}

TEST(DockPanelLayout, MeasureGivesEachChildTheSpaceLeft) {
  AttachedTree tree(R"(<Grid><DockPanel id="9" horizontalAlign="left" verticalAlign="top">
      <Label id="1" dock="left" width="30" height="50"/>
      <Label id="2" dock="top" width="20" height="10"/>
      <StackPanel id="3" dock="top"><Label width="5" height="5"/></StackPanel>
    </DockPanel></Grid>)");
  tree.Layout(100, 100);
  // Width: max(top stack 30 + 20, used 30) = 50; height: max(left 50, used 15).
  EXPECT_EQ(tree.ById(9)->desired(), (Size{50, 50}));
  EXPECT_EQ(tree.ById(2)->rect(), R(30, 0, 50, 10));
  EXPECT_EQ(tree.ById(3)->rect(), R(30, 10, 50, 50));
}

TEST(GridLayout, ChildrenOverlapAndTheGridWantsTheLargest) {
  AttachedTree tree(R"(<Window><Grid id="1" rows="3" columns="2">
      <Label id="2" width="40" height="10" horizontalAlign="left" verticalAlign="top"/>
      <Label id="3" width="10" height="30" horizontalAlign="left" verticalAlign="top"/>
    </Grid></Window>)");
  tree.Layout(100, 100);
  EXPECT_EQ(tree.ById(1)->desired(), (Size{40, 30}));
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 0, 40, 10));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 0, 10, 30));
}

TEST(WrapPanelLayout, ThreeChildrenOf40In100WrapAfterTwo) {
  AttachedTree tree(R"(<Grid><WrapPanel id="9" width="100">
      <Label id="1" width="40" height="10"/>
      <Label id="2" width="40" height="20"/>
      <Label id="3" width="40" height="15"/>
    </WrapPanel></Grid>)");
  tree.Layout(300, 300);
  EXPECT_EQ(tree.ById(9)->desired(), (Size{100, 35}));
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 40, 10));
  EXPECT_EQ(tree.ById(2)->rect(), R(40, 0, 80, 20));
  EXPECT_EQ(tree.ById(3)->rect(), R(0, 20, 40, 35));
}

TEST(WrapPanelLayout, ChildWiderThanTheRowStaysAloneInItsRow) {
  AttachedTree tree(R"(<WrapPanel>
      <Label id="1" width="150" height="10"/>
      <Label id="2" width="10" height="10"/>
    </WrapPanel>)");
  tree.Layout(100, 100);
  EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 150, 10));
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 10, 10, 20));
}

TEST(WrapPanelLayout, EmptyAndCollapsedChildrenAreSkippedInTheFlow) {
  AttachedTree tree(R"(<WrapPanel>
      <Label id="1" width="60" height="10"/>
      <Label id="2" width="0" height="10"/>
      <Label id="3" width="30" height="10"/>
      <Label id="4" width="30" height="10"/>
    </WrapPanel>)");
  tree.ById(4)->SetFlag(ControlFlags::Collapsed, true);
  tree.Layout(100, 100);
  EXPECT_EQ(tree.ById(2)->rect(), R(0, 0, 0, 0));
  EXPECT_EQ(tree.ById(3)->rect(), R(60, 0, 90, 10));
  EXPECT_EQ(tree.ById(4)->rect(), R(0, 0, 0, 0));
  EXPECT_EQ(tree.root()->desired(), (Size{100, 10}));
}

TEST(PanelLayout, CollapsedChildTakesNoSpaceInEveryPanel) {
  for (const char* panel : {"Canvas", "StackPanel", "DockPanel", "Grid", "WrapPanel"}) {
    SCOPED_TRACE(panel);
    const std::string xml = std::string("<Grid><") + panel +
                            R"( id="9" horizontalAlign="left" verticalAlign="top">
        <Label id="1" width="40" height="40"/><Label id="2" width="1" height="1"/></)" + panel + "></Grid>";
    AttachedTree tree(xml);
    tree.ById(1)->SetFlag(ControlFlags::Collapsed, true);
    tree.Layout(100, 100);
    EXPECT_EQ(tree.ById(1)->desired(), (Size{0, 0}));
    EXPECT_EQ(tree.ById(1)->rect(), R(0, 0, 0, 0));
    EXPECT_LE(tree.ById(9)->desired().cy, 1);
  }
}

}  // namespace
}  // namespace vcam::dui
