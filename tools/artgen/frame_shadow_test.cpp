#include "tools/artgen/frame_shadow.h"

#include <gtest/gtest.h>

namespace vcam::artgen {
namespace {

FrameShadowParams Params() {
  FrameShadowParams s;
  s.margin_left = 20, s.margin_top = 14, s.margin_right = 16, s.margin_bottom = 21;
  s.grid_left = s.grid_top = s.grid_right = s.grid_bottom = 24;
  return s;
}

TEST(FrameShadow, HasTheBordersAroundAStretchableMiddleAndAClearWindow) {
  const Raster r = FrameShadow(Params());
  ASSERT_EQ(r.width(), 24 + 4 + 24);
  ASSERT_EQ(r.height(), 24 + 4 + 24);
  EXPECT_FLOAT_EQ(r.At(26, 26).a, 0.0f) << "the window's own area is transparent";
  EXPECT_FLOAT_EQ(r.At(20, 14).a, 0.0f) << "the window's top-left pixel";
  EXPECT_GT(r.At(26, 14 - 1).a, 0.0f) << "just above the window";
  EXPECT_GT(r.At(26, r.height() - 21).a, r.At(26, 13).a) << "the shadow falls downwards";
  EXPECT_LT(r.At(0, 26).a, 0.01f) << "faded out at the outer edge";
  EXPECT_LT(r.At(26, r.height() - 1).a, 0.01f);
}

TEST(FrameShadow, TheMiddleColumnsMatchSoEdgesStretchWithoutSeams) {
  const Raster r = FrameShadow(Params());
  for (int y = 0; y < r.height(); ++y) {
    const float a = r.At(24, y).a;
    for (int x = 20; x < 52 - 16; ++x) EXPECT_FLOAT_EQ(r.At(x, y).a, a) << "level with the window: " << x << "," << y;
  }
}

TEST(FrameShadow, FallsOffMonotonicallyAwayFromTheWindow) {
  const Raster r = FrameShadow(Params());
  for (int x = 19; x > 0; --x) EXPECT_LE(r.At(x - 1, 26).a, r.At(x, 26).a) << x;
  for (int y = 52 - 21; y < 51; ++y) EXPECT_GE(r.At(26, y).a, r.At(26, y + 1).a) << y;
  for (int d = 1; d < 14; ++d) EXPECT_LE(r.At(20 - d - 1, 14 - d - 1).a, r.At(20 - d, 14 - d).a) << "diagonal " << d;
}

TEST(FrameShadow, RefusesBordersNarrowerThanTheMargins) {
  FrameShadowParams s = Params();
  s.grid_top = 10;
  EXPECT_TRUE(FrameShadow(s).empty());
  s = Params();
  s.margin_left = -1;
  EXPECT_TRUE(FrameShadow(s).empty());
}

}  // namespace
}  // namespace vcam::artgen
