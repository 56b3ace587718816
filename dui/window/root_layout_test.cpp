// Sizing the window from its root and following client-size changes.
#include "dui/window/root_layout.h"

#include <gtest/gtest.h>

#include "dui/testing/layout_text.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;

TEST(RootLayout, WithoutInitSizeTheWindowTakesTheDesiredSize) {
  AttachedTree tree(R"(<Window><Grid width="645" height="400" margin="5,0,5,10"/></Window>)");
  EXPECT_EQ(SizeRootForWindow(*tree.root()), (Size{655, 410}));
  EXPECT_EQ(tree.root()->rect(), (Rect{0, 0, 655, 410}));
}

TEST(RootLayout, ContentLargerThan1024x768IsMeasuredInThatSpace) {
  AttachedTree tree(R"(<Window><Grid width="2000" height="100"/></Window>)");
  EXPECT_EQ(SizeRootForWindow(*tree.root()), (Size{2000, 100}));
}

TEST(RootLayout, InitSizeWinsOverWhatTheContentWants) {
  AttachedTree tree(R"(<Window initSize="400,300"><Grid id="2" width="645" height="500"/></Window>)");
  EXPECT_EQ(SizeRootForWindow(*tree.root()), (Size{400, 300}));
  EXPECT_EQ(tree.root()->rect(), (Rect{0, 0, 645, 500})) << "larger content keeps its size, pinned at the origin";
}

TEST(RootLayout, EmptyRootGivesAnEmptyWindow) {
  AttachedTree tree(R"(<Window/>)");
  EXPECT_EQ(SizeRootForWindow(*tree.root()), (Size{0, 0}));
}

TEST(RootLayout, FitToClientRunsOnlyWhenTheSizeDiffers) {
  AttachedTree tree(R"(<Window><Label id="2" horizontalAlign="right" width="10" height="10"/></Window>)");
  SizeRootForWindow(*tree.root());
  EXPECT_TRUE(FitRootToClient(*tree.root(), {300, 200}));
  EXPECT_EQ(tree.root()->rect(), (Rect{0, 0, 300, 200}));
  EXPECT_EQ(tree.ById(2)->rect().left, 290);
  EXPECT_FALSE(FitRootToClient(*tree.root(), {300, 200}));
}

TEST(RootLayout, RoundCornerIsReadFromTheRoot) {
  AttachedTree with(R"(<Window roundCorner="8,6"/>)");
  ASSERT_TRUE(RoundCorner(*with.root()).has_value());
  EXPECT_EQ(*RoundCorner(*with.root()), (Size{8, 6}));
  AttachedTree without(R"(<Window/>)");
  EXPECT_FALSE(RoundCorner(*without.root()).has_value());
}

}  // namespace
}  // namespace vcam::dui
