#include "tools/artgen/shapes.h"

#include <gtest/gtest.h>

#include "tools/artgen/glyphs.h"

namespace vcam::artgen {
namespace {

TEST(Shapes, StraightEdgesCoverByTheAreaInside) {
  auto rect = RoundRect(0, 0, 10.25f, 4, 0);
  EXPECT_FLOAT_EQ(Coverage(*rect, 9, 1), 1.0f);
  EXPECT_NEAR(Coverage(*rect, 10, 1), 0.25f, 1e-5);
  EXPECT_FLOAT_EQ(Coverage(*rect, 11, 1), 0.0f);
  auto half = RoundRect(0, 0, 4, 2.5f, 0);
  EXPECT_NEAR(Coverage(*half, 1, 2), 0.5f, 1e-5);
}

TEST(Shapes, RoundedCornersCutTheCornerPixel) {
  auto sharp = RoundRect(0, 0, 16, 16, 0);
  auto round = RoundRect(0, 0, 16, 16, 6);
  EXPECT_FLOAT_EQ(Coverage(*sharp, 0, 0), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(*round, 0, 0), 0.0f);
  const float edge = Coverage(*round, 1, 1);
  EXPECT_GT(edge, 0.0f);
  EXPECT_LT(edge, 1.0f);
  EXPECT_FLOAT_EQ(Coverage(*round, 8, 0), 1.0f) << "straight part of the edge";
  EXPECT_FLOAT_EQ(Coverage(*round, 8, 8), 1.0f);
}

TEST(Shapes, TooLargeARadiusMakesAPillNotAnInversion) {
  auto pill = RoundRect(0, 0, 20, 8, 100);
  EXPECT_FLOAT_EQ(Coverage(*pill, 10, 4), 1.0f);
  EXPECT_LT(pill->Distance(10, 0.5f), 0.0f);
  EXPECT_GT(pill->Distance(0.2f, 0.2f), 0.0f);
}

TEST(Shapes, CircleCoverageFallsOffAcrossTheRim) {
  auto c = Circle(8, 8, 5);
  EXPECT_FLOAT_EQ(Coverage(*c, 7, 7), 1.0f);
  float previous = 1.0f;
  for (int x = 10; x < 16; ++x) {
    const float now = Coverage(*c, x, 7);
    EXPECT_LE(now, previous) << x;
    previous = now;
  }
  EXPECT_FLOAT_EQ(previous, 0.0f);
  EXPECT_NEAR(c->Distance(13, 8), 0.0f, 1e-5);
}

TEST(Shapes, CapsulesAreRoundAtTheEnds) {
  auto line = Capsule({2, 5}, {12, 5}, 2);
  EXPECT_NEAR(line->Distance(7, 5), -1.0f, 1e-5);
  EXPECT_NEAR(line->Distance(7, 7), 1.0f, 1e-5);
  EXPECT_NEAR(line->Distance(0, 5), 1.0f, 1e-5) << "1 beyond the round end";
  auto dot = Polyline({{3, 3}}, 4);
  EXPECT_NEAR(dot->Distance(3, 6), 1.0f, 1e-5);
  EXPECT_GT(Polyline({}, 4)->Distance(0, 0), 1000.0f) << "no points: nothing is inside";
}

TEST(Shapes, PolygonsKnowInsideFromOutsideWhateverTheWinding) {
  std::vector<Point> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  std::vector<Point> reversed(square.rbegin(), square.rend());
  for (const auto& points : {square, reversed}) {
    auto p = Polygon(points);
    EXPECT_NEAR(p->Distance(5, 5), -5.0f, 1e-5);
    EXPECT_NEAR(p->Distance(12, 5), 2.0f, 1e-5);
    EXPECT_NEAR(p->Distance(13, 14), 5.0f, 1e-5);
  }
  auto notch = Polygon({{0, 0}, {10, 0}, {5, 4}, {10, 10}, {0, 10}});
  EXPECT_GT(notch->Distance(8, 5), 0.0f) << "the concave notch is outside";
  EXPECT_GT(Polygon({{0, 0}, {1, 1}})->Distance(0.5f, 0.5f), 1000.0f) << "two points make no area";
}

TEST(Shapes, CombinationsFollowSetRules) {
  auto a = RoundRect(0, 0, 10, 10, 0);
  auto b = RoundRect(5, 0, 15, 10, 0);
  EXPECT_LT(Union(a, b)->Distance(13, 5), 0.0f);
  EXPECT_GT(Intersect(a, b)->Distance(2, 5), 0.0f);
  EXPECT_LT(Intersect(a, b)->Distance(7, 5), 0.0f);
  EXPECT_GT(Subtract(a, b)->Distance(7, 5), 0.0f);
  EXPECT_LT(Subtract(a, b)->Distance(2, 5), 0.0f);
  EXPECT_LT(Translate(a, 20, 0)->Distance(25, 5), 0.0f);
  EXPECT_GT(Translate(a, 20, 0)->Distance(5, 5), 0.0f);
}

TEST(Shapes, BordersLieOnOrInsideTheEdge) {
  auto box = RoundRect(0, 0, 10, 10, 0);
  auto inner = InnerBorder(box, 1);
  EXPECT_FLOAT_EQ(Coverage(*inner, 0, 5), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(*inner, 1, 5), 0.0f);
  EXPECT_FLOAT_EQ(Coverage(*inner, 9, 5), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(*inner, 10, 5), 0.0f);
  auto centred = Outline(box, 2);
  EXPECT_FLOAT_EQ(Coverage(*centred, 10, 5), 1.0f) << "half of the band lies outside";
  EXPECT_FLOAT_EQ(Coverage(*centred, 9, 5), 1.0f);
  EXPECT_FLOAT_EQ(Coverage(*centred, 5, 5), 0.0f);
}

TEST(Glyphs, MarksStayInsideTheirBox) {
  const float cx = 20, cy = 20, size = 16, stroke = 2;
  for (const auto& glyph : {CheckMark(cx, cy, size, stroke), Cross(cx, cy, size, stroke), Exclamation(cx, cy, size, stroke),
                            InfoMark(cx, cy, size, stroke), DownloadMark(cx, cy, size, stroke), Minus(cx, cy, size, stroke),
                            VideoCamera(cx, cy, size)}) {
    bool any = false;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        if (Coverage(*glyph, x, y) == 0.0f) continue;
        any = true;
        EXPECT_GE(x, cx - size / 2 - stroke);
        EXPECT_LE(x, cx + size / 2 + stroke);
        EXPECT_GE(y, cy - size / 2 - stroke);
        EXPECT_LE(y, cy + size / 2 + stroke);
      }
    EXPECT_TRUE(any);
  }
}

}  // namespace
}  // namespace vcam::artgen
