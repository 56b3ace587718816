#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "camera/decoder/dib_stride.h"
#include "camera/decoder/placeholder_decoder.h"

namespace vcam::camera {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 720;
// Rows (from the top) that 16:9 outputs keep of the 4:3 picture.
constexpr int kBandTop = 88;
constexpr int kBandBottom = 631;

struct Rgb {
  int r, g, b;
  int max() const { return std::max({r, g, b}); }
  int spread() const { return max() - std::min({r, g, b}); }
};

class BuiltInPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto jpeg = builtin_placeholder_jpeg();
    pixels_.assign(kPlaceholderDecodeBufferSize, 0);
    ASSERT_TRUE(decoder_.decode(jpeg.data(), jpeg.size(), pixels_.data()));
  }

  // Pixel (x, y) counted from the top-left, read from the bottom-up buffer.
  Rgb at(int x, int y) const {
    const std::size_t row = static_cast<std::size_t>(kHeight - 1 - y) * dib_stride24(kWidth);
    const std::uint8_t* p = pixels_.data() + row + static_cast<std::size_t>(x) * 3;
    return {p[2], p[1], p[0]};
  }

  static bool background(const Rgb& c) { return c.max() <= 80 && c.spread() <= 16; }

  PlaceholderDecoder decoder_;
  std::vector<std::uint8_t> pixels_;
};

TEST_F(BuiltInPicture, IsA960By720PictureThatFillsTheDecodeBuffer) {
  EXPECT_EQ(decoder_.width(), kWidth);
  EXPECT_EQ(decoder_.height(), kHeight);
  EXPECT_EQ(dib_stride24(kWidth) * kHeight, kPlaceholderDecodeBufferSize);
}

TEST_F(BuiltInPicture, OutsideTheSixteenByNineBandIsPlainDarkGrey) {
  for (int y = 0; y < kHeight; ++y) {
    if (y >= kBandTop && y <= kBandBottom) continue;
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = at(x, y);
      ASSERT_TRUE(background(c)) << x << "," << y << ": " << c.r << " " << c.g << " " << c.b;
    }
  }
}

TEST_F(BuiltInPicture, LensSitsAboveTheNameInsideTheBand) {
  long blue_rows = 0, blue_count = 0, white_rows = 0, white_count = 0;
  int lowest_blue = -1, lowest_white = -1, logo_top = kHeight, logo_bottom = -1;
  for (int y = kBandTop; y <= kBandBottom; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = at(x, y);
      if (!background(c)) {
        logo_top = std::min(logo_top, y);
        logo_bottom = std::max(logo_bottom, y);
      }
      if (c.b > c.r + 60) {  // aperture blades
        blue_rows += y;
        ++blue_count;
        lowest_blue = y;
      }
      if (c.r > 200 && c.g > 200 && c.b > 200) {  // name and bezel highlights
        white_rows += y;
        ++white_count;
        lowest_white = y;
      }
    }
  }
  ASSERT_GT(blue_count, 5000);
  ASSERT_GT(white_count, 2000);
  EXPECT_LT(blue_rows / blue_count, white_rows / white_count);
  EXPECT_GT(lowest_white, lowest_blue + 60);  // the name is below the lens
  // Roughly centred vertically in the band, with a margin at both ends.
  EXPECT_GT(logo_top, kBandTop + 40);
  EXPECT_LT(logo_bottom, kBandBottom - 40);
  EXPECT_LT(std::abs((logo_top + logo_bottom) / 2 - kHeight / 2), 40);
}

TEST_F(BuiltInPicture, LogoIsCentredHorizontally) {
  int left = kWidth, right = -1;
  for (int y = kBandTop; y <= kBandBottom; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!background(at(x, y))) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  ASSERT_LT(left, right);
  EXPECT_LE(std::abs((left + right) / 2 - kWidth / 2), 8);
}

}  // namespace
}  // namespace vcam::camera
