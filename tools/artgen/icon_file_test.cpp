// The icon file: directory, bitmap header, bottom-up BGRA rows and mask.
#include "tools/artgen/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vcam::artgen {
namespace {

std::uint32_t Read32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Read16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

TEST(IconFile, HoldsOneBitmapImageWithItsRowsBottomUpInBgraAndAZeroMask) {
  Raster picture(3, 2);
  picture.Blend(0, 0, Hex(0x102030), 1.0f);  // top left
  picture.Blend(2, 1, Hex(0xA0B0C0), 1.0f);  // bottom right
  const std::vector<unsigned char> bytes = IconFileBytes(picture);
  const std::size_t mask = 4 * 2, pixels = 3 * 2 * 4;
  ASSERT_EQ(bytes.size(), 6 + 16 + 40 + pixels + mask);
  EXPECT_EQ(Read16(bytes, 0), 0u);
  EXPECT_EQ(Read16(bytes, 2), 1u);  // an icon
  EXPECT_EQ(Read16(bytes, 4), 1u);  // one image
  EXPECT_EQ(bytes[6], 3);
  EXPECT_EQ(bytes[7], 2);
  EXPECT_EQ(Read16(bytes, 12), 32u);
  EXPECT_EQ(Read32(bytes, 14), 40 + pixels + mask);
  EXPECT_EQ(Read32(bytes, 18), 22u);
  EXPECT_EQ(Read32(bytes, 22), 40u);
  EXPECT_EQ(Read32(bytes, 26), 3u);
  EXPECT_EQ(Read32(bytes, 30), 4u);  // colour rows and mask rows
  EXPECT_EQ(Read16(bytes, 36), 32u);
  const std::size_t first_row = 62, second_row = first_row + 12;
  // The bottom row comes first: its last pixel is the bottom-right one.
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + first_row + 8, bytes.begin() + first_row + 12),
            (std::vector<unsigned char>{0xC0, 0xB0, 0xA0, 0xFF}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + second_row, bytes.begin() + second_row + 4),
            (std::vector<unsigned char>{0x30, 0x20, 0x10, 0xFF}));
  EXPECT_EQ(bytes[second_row + 4 + 3], 0);  // transparent
  for (std::size_t i = bytes.size() - mask; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(IconFile, RefusesEmptyAndOversizedPictures) {
  EXPECT_TRUE(IconFileBytes(Raster()).empty());
  EXPECT_TRUE(IconFileBytes(Raster(257, 16)).empty());
  const std::vector<unsigned char> largest = IconFileBytes(Raster(256, 256));
  ASSERT_FALSE(largest.empty());
  EXPECT_EQ(largest[6], 0);  // 256 is written as 0
  EXPECT_EQ(largest[7], 0);
}

}  // namespace
}  // namespace vcam::artgen
