#include "tools/artgen/skin_preview.h"

#include <gtest/gtest.h>

#include "tools/artgen/painting.h"

namespace vcam::artgen {
namespace {

TEST(Tinted, RecoloursOnlyExactWhiteAndKeepsItsAlpha) {
  Raster r(3, 1);
  r.Blend(0, 0, Hex(0xFFFFFF, 0.5f), 1.0f);
  r.Blend(1, 0, Hex(0xFEFFFF), 1.0f);
  const Raster t = Tinted(r, Hex(0xB4AE00));
  EXPECT_FLOAT_EQ(t.At(0, 0).a, 0.5f);
  EXPECT_NEAR(t.At(0, 0).r, 0xB4 / 255.0f, 1e-5);
  EXPECT_NEAR(t.At(0, 0).b, 0.0f, 1e-5);
  EXPECT_NEAR(t.At(1, 0).r, 0xFE / 255.0f, 1e-5) << "near-white is not white";
  EXPECT_FLOAT_EQ(t.At(2, 0).a, 0.0f);
}

TEST(NineSlice, KeepsCornersAndStretchesTheMiddle) {
  Raster r(6, 6);
  Fill(r, RoundRect(0, 0, 6, 6, 0), Hex(0x0000FF));
  Fill(r, RoundRect(0, 0, 2, 2, 0), Hex(0xFF0000));
  Fill(r, RoundRect(4, 4, 6, 6, 0), Hex(0x00FF00));
  const Raster n = NineSlice(r, 2, 2, 2, 2, 20, 10);
  ASSERT_EQ(n.width(), 20);
  EXPECT_FLOAT_EQ(n.At(1, 1).r, 1.0f);
  EXPECT_FLOAT_EQ(n.At(2, 2).b, 1.0f);
  EXPECT_FLOAT_EQ(n.At(18, 8).g, 1.0f);
  EXPECT_FLOAT_EQ(n.At(17, 7).b, 1.0f);
  EXPECT_FLOAT_EQ(NineSlice(Raster(), 1, 1, 1, 1, 4, 4).At(1, 1).a, 0.0f) << "nothing to stretch";
}

TEST(WindowMockups, DrawWhateverImagesExist) {
  const ArtworkList mocks = WindowMockups({}, {});
  ASSERT_EQ(mocks.size(), 3u);
  EXPECT_EQ(mocks[0].name, "mock_progress.png");
  EXPECT_EQ(mocks[0].image.width(), 20 + 420 + 16);
  EXPECT_EQ(mocks[2].image.height(), 14 + 400 + 21);
}

}  // namespace
}  // namespace vcam::artgen
