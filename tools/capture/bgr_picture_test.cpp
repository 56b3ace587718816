#include "tools/capture/bgr_picture.h"

#include <gtest/gtest.h>

#include <stb/stb_image.h>

namespace vcam::capture {
namespace {

// 2 x 2 bottom-up DIB, 8-byte rows (6 bytes of pixels, 2 of padding).
const std::uint8_t kBottomUp[] = {
    // bottom row: blue, green
    255, 0, 0, 0, 255, 0, 0xEE, 0xEE,
    // top row: red, white
    0, 0, 255, 255, 255, 255, 0xEE, 0xEE};

TEST(BgrPicture, BottomUpRowsAreFlippedAndChannelsSwapped) {
  const auto rgb = dib24_to_rgb(kBottomUp, sizeof kBottomUp, 2, 2);
  EXPECT_EQ(rgb, (std::vector<std::uint8_t>{255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0}));
}

TEST(BgrPicture, TopDownRowsKeepTheirOrder) {
  const auto rgb = dib24_to_rgb(kBottomUp, sizeof kBottomUp, 2, -2);
  EXPECT_EQ(rgb, (std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
}

TEST(BgrPicture, ShortBufferGivesNothing) {
  EXPECT_TRUE(dib24_to_rgb(kBottomUp, sizeof kBottomUp - 1, 2, 2).empty());
  EXPECT_TRUE(dib24_to_rgb(kBottomUp, sizeof kBottomUp, 3, 2).empty());
  EXPECT_TRUE(dib24_to_rgb(nullptr, 0, 2, 2).empty());
  EXPECT_TRUE(dib24_to_rgb(kBottomUp, sizeof kBottomUp, 0, 2).empty());
}

TEST(BgrPicture, PngDecodesToTheSamePixels) {
  const auto rgb = dib24_to_rgb(kBottomUp, sizeof kBottomUp, 2, 2);
  const auto png = encode_png_rgb(rgb, 2, 2);
  ASSERT_FALSE(png.empty());
  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &channels, 3);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(std::vector<std::uint8_t>(pixels, pixels + 12), rgb);
  stbi_image_free(pixels);
  EXPECT_TRUE(encode_png_rgb(rgb, 3, 2).empty());
}

}  // namespace
}  // namespace vcam::capture
