#include "tools/artgen/contact_sheet.h"

#include <gtest/gtest.h>

#include "tools/artgen/painting.h"

namespace vcam::artgen {
namespace {

TEST(Shrink, AveragesBlocksWeightedByAlpha) {
  Raster r(4, 2);
  r.Blend(0, 0, Hex(0xFF0000), 1.0f);
  r.Blend(1, 1, Hex(0x0000FF), 1.0f);
  const Raster s = Shrink(r, 2);
  ASSERT_EQ(s.width(), 2);
  ASSERT_EQ(s.height(), 1);
  EXPECT_FLOAT_EQ(s.At(0, 0).a, 0.5f);
  EXPECT_FLOAT_EQ(s.At(0, 0).r, 0.5f) << "transparent pixels do not darken the colour";
  EXPECT_FLOAT_EQ(s.At(0, 0).b, 0.5f);
  EXPECT_FLOAT_EQ(s.At(1, 0).a, 0.0f);
  EXPECT_EQ(Shrink(r, 1).width(), 4);
  EXPECT_EQ(Shrink(Raster(1, 1), 4).width(), 1) << "never smaller than one pixel";
}

TEST(Enlarge, RepeatsEachPixelAsABlock) {
  Raster r(2, 1);
  r.Blend(1, 0, Hex(0x00FF00), 1.0f);
  const Raster e = Enlarge(r, 3);
  ASSERT_EQ(e.width(), 6);
  ASSERT_EQ(e.height(), 3);
  EXPECT_FLOAT_EQ(e.At(2, 2).a, 0.0f);
  EXPECT_FLOAT_EQ(e.At(3, 0).g, 1.0f);
  EXPECT_FLOAT_EQ(e.At(5, 2).g, 1.0f);
}

TEST(ContactSheet, PlacesEveryImageInItsCell) {
  Raster red(10, 10), big(100, 40);
  Fill(red, RoundRect(0, 0, 10, 10, 0), Hex(0xFF0000));
  Fill(big, RoundRect(0, 0, 100, 40, 0), Hex(0x0000FF));
  const Raster sheet = ContactSheet({&red, &big, &red}, 32, 2);
  ASSERT_EQ(sheet.width(), 2 * (32 + 6) + 6);
  ASSERT_EQ(sheet.height(), 2 * (32 + 6) + 6);
  EXPECT_FLOAT_EQ(sheet.At(6 + 16, 6 + 16).r, 1.0f) << "first cell, centred";
  EXPECT_FLOAT_EQ(sheet.At(6 + 2, 6 + 16).r, 1.0f) << "enlarged 3 times to 30 x 30";
  EXPECT_LT(sheet.At(6 + 0, 6 + 16).r, 0.9f);
  EXPECT_FLOAT_EQ(sheet.At(44 + 16, 6 + 16).b, 1.0f) << "shrunk into the second cell";
  EXPECT_LT(sheet.At(44 + 1, 6 + 1).b, 0.9f) << "shrunk by 4 to 25 x 10, the corner shows the checkerboard";
  EXPECT_FLOAT_EQ(sheet.At(44 + 4, 6 + 16).b, 1.0f);
  EXPECT_FLOAT_EQ(sheet.At(6 + 16, 44 + 16).r, 1.0f) << "third image starts the second row";
  EXPECT_TRUE(ContactSheet({}, 32, 2).empty());
}

}  // namespace
}  // namespace vcam::artgen
