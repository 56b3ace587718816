#include "tools/artgen/raster.h"

#include <gtest/gtest.h>

#include "tools/artgen/painting.h"

namespace vcam::artgen {
namespace {

std::vector<unsigned char> PixelBytes(const Raster& r, int x, int y) {
  const auto all = r.ToRgba8();
  const auto* p = &all[(static_cast<std::size_t>(y) * r.width() + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

TEST(Raster, AFilledRectangleHasExactPixelsInsideAndNoneOutside) {
  Raster r(8, 6);
  Fill(r, RoundRect(2, 1, 6, 4, 0), Hex(0x12AB7F));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
      const std::vector<unsigned char> expected =
          inside ? std::vector<unsigned char>{0x12, 0xAB, 0x7F, 255} : std::vector<unsigned char>{0, 0, 0, 0};
      EXPECT_EQ(PixelBytes(r, x, y), expected) << x << "," << y;
    }
}

TEST(Raster, PartlyCoveredWhiteStaysPureWhite) {
  Raster r(4, 1);
  Fill(r, RoundRect(0, 0, 1.4f, 1, 0), Hex(0xFFFFFF));
  EXPECT_EQ(PixelBytes(r, 1, 0), (std::vector<unsigned char>{255, 255, 255, 102}));
  Raster faded(4, 1);
  faded.Draw(r, 0, 0, 0.5f);
  EXPECT_EQ(PixelBytes(faded, 0, 0), (std::vector<unsigned char>{255, 255, 255, 128}));
}

TEST(Raster, SourceOverMixesByCoverage) {
  Raster r(1, 1);
  r.Blend(0, 0, Hex(0x000000), 1.0f);
  r.Blend(0, 0, Hex(0xFFFFFF), 0.25f);
  EXPECT_EQ(PixelBytes(r, 0, 0), (std::vector<unsigned char>{64, 64, 64, 255}));
}

TEST(Raster, WritesOutsideAreIgnoredAndCropsPadWithTransparency) {
  Raster r(2, 2);
  r.Blend(-1, 0, Hex(0xFFFFFF), 1.0f);
  r.Blend(2, 0, Hex(0xFFFFFF), 1.0f);
  r.Blend(0, 5, Hex(0xFFFFFF), 1.0f);
  r.Blend(1, 1, Hex(0xFF0000), 1.0f);
  for (unsigned char b : r.Crop(0, 0, 1, 2).ToRgba8()) EXPECT_EQ(b, 0);
  const Raster crop = r.Crop(1, 1, 3, 3);
  EXPECT_EQ(crop.width(), 3);
  EXPECT_EQ(PixelBytes(crop, 0, 0), (std::vector<unsigned char>{255, 0, 0, 255}));
  EXPECT_EQ(PixelBytes(crop, 2, 2), (std::vector<unsigned char>{0, 0, 0, 0}));
  EXPECT_TRUE(Raster(0, 4).empty());
  EXPECT_TRUE(Raster(-3, 4).empty());
}

TEST(Raster, ErasingCutsAlphaAndColourTogether) {
  Raster r(1, 1);
  r.Blend(0, 0, Hex(0x80FF00), 1.0f);
  r.Erase(0, 0, 0.75f);
  EXPECT_EQ(PixelBytes(r, 0, 0), (std::vector<unsigned char>{128, 255, 0, 64}));
  r.Erase(0, 0, 1.0f);
  EXPECT_EQ(PixelBytes(r, 0, 0), (std::vector<unsigned char>{0, 0, 0, 0}));
}

TEST(Paint, AVerticalGradientRunsFromTopToBottomColour) {
  const Paint p = VerticalGradient(Hex(0x000000), Hex(0xFFFFFF), 10, 20);
  EXPECT_FLOAT_EQ(p.At(5).r, 0.0f);
  EXPECT_FLOAT_EQ(p.At(15).g, 0.5f);
  EXPECT_FLOAT_EQ(p.At(25).b, 1.0f);
  EXPECT_FLOAT_EQ(Solid(Hex(0x336699)).At(1000).b, 0x99 / 255.0f);
}

}  // namespace
}  // namespace vcam::artgen
