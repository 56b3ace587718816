// Placement arithmetic of icons and text inside a control.
#include <gtest/gtest.h>

#include "dui/style/placement.h"

namespace vcam::dui {
namespace {

TEST(IconTextPlacement, RightPutsTheTextAfterTheIconBothCentred) {
  // Rect 10..110 x 0..40, icon 16x16, text 35x16, gap 2: x0 = (120 - 2 - 35 - 16) / 2 = 33.
  const IconTextLayout l = PlaceIconAndText({10, 0, 110, 40}, {16, 16}, {35, 16}, 2, TextPlacement::Right);
  EXPECT_EQ(l.icon, (Point{33, 12}));
  EXPECT_EQ(l.text, (Rect{51, 0, 110, 40}));
  EXPECT_EQ(l.text_format, 0x24u);
}

TEST(IconTextPlacement, LeftPutsTheTextBeforeTheIcon) {
  const IconTextLayout l = PlaceIconAndText({10, 0, 110, 40}, {16, 16}, {35, 16}, 2, TextPlacement::Left);
  EXPECT_EQ(l.text, (Rect{33, 0, 68, 40}));
  EXPECT_EQ(l.icon, (Point{70, 12}));
}

TEST(IconTextPlacement, BottomStacksIconOverTextCentredHorizontally) {
  // y0 = (60 + 0 - 4 - 16 - 24) / 2 = 8; icon x = (100 + 0 - 24) / 2 = 38.
  const IconTextLayout l = PlaceIconAndText({0, 0, 100, 60}, {24, 24}, {35, 16}, 4, TextPlacement::Bottom);
  EXPECT_EQ(l.icon, (Point{38, 8}));
  EXPECT_EQ(l.text, (Rect{0, 36, 100, 60}));
  EXPECT_EQ(l.text_format, 0x21u);
}

TEST(IconTextPlacement, DivisionsTruncateAndOddSumsRoundTowardsZero) {
  // (101 + 0 - 2 - 0 - 16) / 2 = 41 (83 / 2); (0 + 17 - 16) / 2 = 0.
  const IconTextLayout l = PlaceIconAndText({0, 0, 101, 17}, {16, 16}, {0, 0}, 2, TextPlacement::Right);
  EXPECT_EQ(l.icon, (Point{41, 0}));
  // Content wider than the control: x0 = (20 - 2 - 50 - 16) / 2 = -24 truncated towards zero.
  const IconTextLayout wide = PlaceIconAndText({0, 0, 20, 20}, {16, 16}, {50, 16}, 2, TextPlacement::Right);
  EXPECT_EQ(wide.icon.x, -24);
  const IconTextLayout odd = PlaceIconAndText({0, 0, 20, 20}, {16, 16}, {51, 16}, 2, TextPlacement::Right);
  EXPECT_EQ(odd.icon.x, -24) << "-49 / 2 is -24, not -25";
}

TEST(CheckPlacement, IconTwoPixelsInAndTextAfterTheGap) {
  EXPECT_EQ(CheckIconPosition({10, 20, 200, 50}, {14, 14}), (Point{12, 28}));
  EXPECT_EQ(CheckTextRect({10, 20, 200, 50}, {14, 14}, 2), (Rect{28, 20, 200, 50}));
  EXPECT_EQ(CheckTextRect({10, 20, 200, 50}, {0, 0}, 5), (Rect{17, 20, 200, 50})) << "no icon: as if 0 x 0";
}

TEST(OtherPlacement, CentredBandAndCombo) {
  EXPECT_EQ(CentredOn({0, 10, 17, 71}, {9, 8}), (Point{4, 36}));
  EXPECT_EQ(VerticalBand({0, 10, 100, 30}, 0, 55, 6), (Rect{0, 17, 55, 23}));
  EXPECT_EQ(VerticalBand({0, 0, 100, 4}, 0, 100, 10), (Rect{0, -3, 100, 7})) << "a taller image overhangs evenly";
  const ComboLayout c = PlaceCombo({100, 0, 300, 30}, {20, 12});
  EXPECT_EQ(c.drop, (Point{280, 9}));
  EXPECT_EQ(c.text, (Rect{112, 0, 278, 30}));
  EXPECT_EQ(PlaceCombo({100, 0, 300, 30}, {}).text, (Rect{112, 0, 298, 30}));
}

}  // namespace
}  // namespace vcam::dui
