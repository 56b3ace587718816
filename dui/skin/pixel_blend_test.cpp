// Blending premultiplied pixels without AlphaBlend.
#include <gtest/gtest.h>

#include <vector>

#include "dui/skin/pixel_blend.h"

namespace vcam::dui {
namespace {

struct Pixels {
  Pixels(std::int32_t w, std::int32_t h, std::uint32_t fill) : data(static_cast<std::size_t>(w) * h, fill) {
    rows = {data.data(), w, h, w};
  }
  std::uint32_t at(std::int32_t x, std::int32_t y) const { return data[static_cast<std::size_t>(y) * rows.width + x]; }
  std::vector<std::uint32_t> data;
  PixelRows rows;
};

TEST(PixelBlend, SourceOverDestinationPerChannel) {
  EXPECT_EQ(BlendPixel(0xFF204060, 0xFF010203), 0xFF010203u) << "opaque source replaces";
  EXPECT_EQ(BlendPixel(0xFF204060, 0x00000000), 0xFF204060u) << "transparent source keeps";
  // Half-transparent red over opaque blue: 0x80 + 0xFF * 127 / 255 = 0xFF alpha.
  EXPECT_EQ(BlendPixel(0xFF0000FF, 0x80800000), 0xFF80007Fu);
  EXPECT_EQ(BlendPixel(0x00000000, 0x80643219), 0x80643219u) << "over nothing the source stays";
  EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0x10FFFFFF), 0xFFFFFFFFu) << "a malformed source saturates at 255";
}

TEST(PixelBlend, SameSizeCopiesThroughTheBlend) {
  Pixels target(4, 3, 0xFF000000), source(2, 2, 0);
  source.data = {0xFF111111, 0x00000000, 0x80404040, 0xFF222222};
  BlendPremultiplied(target.rows, {1, 1, 3, 3}, source.rows, {0, 0, 2, 2}, {0, 0, 4, 3});
  EXPECT_EQ(target.at(0, 0), 0xFF000000u);
  EXPECT_EQ(target.at(1, 1), 0xFF111111u);
  EXPECT_EQ(target.at(2, 1), 0xFF000000u);
  EXPECT_EQ(target.at(1, 2), 0xFF404040u);
  EXPECT_EQ(target.at(2, 2), 0xFF222222u);
  EXPECT_EQ(target.at(3, 2), 0xFF000000u);
}

TEST(PixelBlend, StretchingPicksTheNearestSourcePixel) {
  Pixels target(6, 1, 0), source(2, 1, 0);
  source.data = {0xFF0000AA, 0xFF0000BB};
  BlendPremultiplied(target.rows, {0, 0, 6, 1}, source.rows, {0, 0, 2, 1}, {0, 0, 6, 1});
  EXPECT_EQ(target.data, (std::vector<std::uint32_t>{0xFF0000AA, 0xFF0000AA, 0xFF0000AA, 0xFF0000BB, 0xFF0000BB,
                                                     0xFF0000BB}));
  Pixels shrunk(1, 1, 0);
  BlendPremultiplied(shrunk.rows, {0, 0, 1, 1}, source.rows, {1, 0, 2, 1}, {0, 0, 1, 1});
  EXPECT_EQ(shrunk.at(0, 0), 0xFF0000BBu) << "a source part not at the origin";
}

TEST(PixelBlend, ClipAndTargetBoundsAreNeverCrossed) {
  Pixels target(3, 3, 0xFF000000), source(1, 1, 0xFFFFFFFF);
  BlendPremultiplied(target.rows, {-5, -5, 10, 10}, source.rows, {0, 0, 1, 1}, {1, 0, 2, 3});
  for (std::int32_t y = 0; y < 3; ++y)
    for (std::int32_t x = 0; x < 3; ++x) EXPECT_EQ(target.at(x, y), x == 1 ? 0xFFFFFFFFu : 0xFF000000u) << x << y;
}

TEST(PixelBlend, SourcePartOutsideTheSourceDrawsNothing) {
  Pixels target(2, 2, 0x11111111), source(2, 2, 0xFFFFFFFF);
  BlendPremultiplied(target.rows, {0, 0, 2, 2}, source.rows, {1, 1, 3, 3}, {0, 0, 2, 2});
  BlendPremultiplied(target.rows, {0, 0, 2, 2}, source.rows, {-1, 0, 1, 2}, {0, 0, 2, 2});
  BlendPremultiplied(target.rows, {0, 0, 2, 2}, source.rows, {1, 1, 1, 1}, {0, 0, 2, 2});
  EXPECT_EQ(target.data, std::vector<std::uint32_t>(4, 0x11111111));
}

TEST(PixelBlend, BottomUpRowsWithANegativeStride) {
  std::vector<std::uint32_t> memory(4, 0);  // rows stored last first
  const PixelRows target{memory.data() + 2, 2, 2, -2};
  Pixels source(1, 1, 0xFF123456);
  BlendPremultiplied(target, {0, 0, 2, 1}, source.rows, {0, 0, 1, 1}, {0, 0, 2, 2});
  EXPECT_EQ(memory, (std::vector<std::uint32_t>{0, 0, 0xFF123456, 0xFF123456})) << "top row is the last in memory";
}

}  // namespace
}  // namespace vcam::dui
