// The dirty list of a layered window: containment, edge merging, the order
// entries take, and the full list that must be flushed before the 21st.
#include "dui/window/dirty_rect_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam::dui {
namespace {

using Result = DirtyRectList::AddResult;

std::vector<Rect> Entries(const DirtyRectList& list) { return {list.begin(), list.end()}; }

TEST(DirtyRectList, RectInsideAStoredOneAddsNothing) {
  DirtyRectList list;
  EXPECT_EQ(list.Add({0, 0, 100, 100}), Result::Stored);
  EXPECT_EQ(list.Add({10, 10, 20, 20}), Result::Covered);
  EXPECT_EQ(list.Add({0, 0, 100, 100}), Result::Covered) << "equal counts as inside";
  EXPECT_EQ(list.Add({5, 5, 5, 50}), Result::Covered) << "empty";
  EXPECT_EQ(Entries(list), (std::vector<Rect>{{0, 0, 100, 100}}));
}

TEST(DirtyRectList, StoredRectsInsideANewOneGoAndTheLastFillsTheGap) {
  DirtyRectList list;
  list.Add({0, 0, 10, 10});      // inside the new one
  list.Add({200, 0, 210, 10});   // stays
  list.Add({20, 20, 30, 30});    // inside the new one
  list.Add({300, 300, 310, 330});  // stays, moves into the first gap
  EXPECT_EQ(list.Add({0, 0, 50, 50}), Result::Stored);
  EXPECT_EQ(Entries(list), (std::vector<Rect>{{300, 300, 310, 330}, {200, 0, 210, 10}, {0, 0, 50, 50}}));
}

TEST(DirtyRectList, SameLeftAndRightMergeWhenTouchingOrOverlappingVertically) {
  DirtyRectList list;
  list.Add({10, 0, 50, 20});
  EXPECT_EQ(list.Add({10, 20, 50, 40}), Result::Merged) << "touching";
  EXPECT_EQ(list.Add({10, 30, 50, 60}), Result::Merged) << "overlapping";
  EXPECT_EQ(Entries(list), (std::vector<Rect>{{10, 0, 50, 60}}));
  EXPECT_EQ(list.Add({10, 61, 50, 70}), Result::Stored) << "a one-pixel gap keeps them apart";
}

TEST(DirtyRectList, SameTopAndBottomMergeWhenTouchingOrOverlappingHorizontally) {
  DirtyRectList list;
  list.Add({0, 5, 10, 15});
  EXPECT_EQ(list.Add({10, 5, 30, 15}), Result::Merged);
  EXPECT_EQ(list.Add({-5, 5, 2, 15}), Result::Merged);
  EXPECT_EQ(Entries(list), (std::vector<Rect>{{-5, 5, 30, 15}}));
  EXPECT_EQ(list.Add({0, 6, 10, 15}), Result::Covered);
  EXPECT_EQ(list.Add({31, 5, 40, 15}), Result::Stored);
}

TEST(DirtyRectList, OnlyTheFirstNeighbourMergesAndNothingCascades) {
  DirtyRectList list;
  list.Add({0, 0, 10, 10});
  list.Add({20, 0, 30, 10});
  EXPECT_EQ(list.Add({10, 0, 20, 10}), Result::Merged);
  EXPECT_EQ(Entries(list), (std::vector<Rect>{{0, 0, 20, 10}, {20, 0, 30, 10}}))
      << "the union is not merged again with the second neighbour";
}

TEST(DirtyRectList, OverlapWithoutSharedEdgesIsStoredSeparately) {
  DirtyRectList list;
  list.Add({0, 0, 10, 10});
  EXPECT_EQ(list.Add({5, 5, 15, 15}), Result::Stored);
  EXPECT_EQ(list.size(), 2u);
}

TEST(DirtyRectList, TwentyFirstSeparateRectReportsFullAndLeavesTheListAsItWas) {
  DirtyRectList list;
  for (int i = 0; i < 20; ++i) ASSERT_EQ(list.Add({i * 20, 0, i * 20 + 5, 5}), Result::Stored) << i;
  const std::vector<Rect> before = Entries(list);
  EXPECT_EQ(list.Add({0, 100, 5, 105}), Result::Full);
  EXPECT_EQ(Entries(list), before);
  EXPECT_EQ(list.Add({0, 0, 5, 5}), Result::Covered) << "a full list still answers containment";
  EXPECT_EQ(list.Add({0, 5, 5, 10}), Result::Merged) << "and merges";
  EXPECT_EQ(list.Add({0, 0, 45, 5}), Result::Stored) << "room made by removing covered entries";
  EXPECT_EQ(list.size(), 19u);
  list.Clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.Add({0, 100, 5, 105}), Result::Stored);
}

}  // namespace
}  // namespace vcam::dui
