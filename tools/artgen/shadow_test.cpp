#include "tools/artgen/shadow.h"

#include <gtest/gtest.h>

#include <numeric>

namespace vcam::artgen {
namespace {

TEST(GaussianBlur, KeepsTheMassOfAnInteriorSpotAndSpreadsItSymmetrically) {
  const int w = 41, h = 41;
  std::vector<float> field(w * h, 0.0f);
  field[20 * w + 20] = 1.0f;
  GaussianBlur(field, w, h, 3.0f);
  EXPECT_NEAR(std::accumulate(field.begin(), field.end(), 0.0f), 1.0f, 1e-4);
  EXPECT_FLOAT_EQ(field[20 * w + 17], field[20 * w + 23]);
  EXPECT_FLOAT_EQ(field[17 * w + 20], field[23 * w + 20]);
  EXPECT_FLOAT_EQ(field[17 * w + 20], field[20 * w + 17]);
  EXPECT_GT(field[20 * w + 20], field[20 * w + 21]);
}

TEST(GaussianBlur, ANonPositiveSigmaOrAnEmptyFieldChangesNothing) {
  std::vector<float> field = {0, 1, 0, 0};
  GaussianBlur(field, 2, 2, 0.0f);
  GaussianBlur(field, 2, 2, -1.0f);
  EXPECT_EQ(field, (std::vector<float>{0, 1, 0, 0}));
  std::vector<float> none;
  GaussianBlur(none, 0, 0, 2.0f);
  EXPECT_TRUE(none.empty());
}

TEST(DropShadow, FallsOffMonotonicallyAwayFromTheShape) {
  const Raster s = DropShadow(60, 60, *RoundRect(20, 20, 40, 40, 4), 4.0f, Hex(0x000000, 0.5f));
  float previous = s.At(30, 30).a;
  EXPECT_NEAR(previous, 0.5f, 0.02f) << "the middle is nearly as dark as the colour";
  for (int x = 31; x < 60; ++x) {
    const float a = s.At(x, 30).a;
    EXPECT_LE(a, previous + 1e-6f) << x;
    previous = a;
  }
  EXPECT_LT(previous, 1e-3f);
  for (int d = 0; d < 20; ++d) EXPECT_LE(s.At(40 + d, 40 + d).a, s.At(39 + d, 39 + d).a + 1e-6f) << "diagonal " << d;
  EXPECT_NEAR((s.At(39, 30).a + s.At(40, 30).a) / 2, 0.25f, 0.01f) << "half strength on a straight edge";
  EXPECT_FLOAT_EQ(s.At(10, 30).r, 0.0f);
}

}  // namespace
}  // namespace vcam::artgen
