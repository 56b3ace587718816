#include "tools/publisher/test_pattern.h"

#include <gtest/gtest.h>

#include <vector>

#include "tools/publisher/pattern_check.h"

namespace vcam::publisher {
namespace {

std::uint32_t rgb_at(const std::vector<std::uint8_t>& px, std::int32_t w, std::int32_t x, std::int32_t row) {
  const std::uint8_t* p = px.data() + (static_cast<std::size_t>(row) * w + x) * 4;
  return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

TEST(TestPattern, CornersCarryTheirMarkers) {
  const std::int32_t w = 800, h = 600;
  std::vector<std::uint8_t> px(w * h * 4);
  ASSERT_TRUE(draw_test_pattern(px.data(), px.size(), w, h, 0));
  EXPECT_EQ(rgb_at(px, w, 0, 0), kTopLeftMarker);
  EXPECT_EQ(rgb_at(px, w, w - 1, 0), kTopRightMarker);
  EXPECT_EQ(rgb_at(px, w, 0, h - 1), kBottomLeftMarker);
  EXPECT_EQ(rgb_at(px, w, w - 1, h - 1), kBottomRightMarker);
}

TEST(TestPattern, BottomUpStoresTheTopRowLast) {
  const std::int32_t w = 64, h = 48;
  std::vector<std::uint8_t> px(w * h * 4);
  ASSERT_TRUE(draw_test_pattern(px.data(), px.size(), w, h, 0, true));
  EXPECT_EQ(rgb_at(px, w, 0, h - 1), kTopLeftMarker);
  EXPECT_EQ(rgb_at(px, w, 0, 0), kBottomLeftMarker);
}

TEST(TestPattern, ArrowPointsUp) {
  const std::int32_t w = 800, h = 600;
  // Narrow near the top of the head, wide near its base.
  auto arrow_width_at = [&](std::int32_t y) {
    int n = 0;
    for (std::int32_t x = 0; x < w; ++x) n += pattern_colour_at(w, h, 0, x, y) == kArrow;
    return n;
  };
  EXPECT_LT(arrow_width_at(h * 15 / 100), arrow_width_at(h * 21 / 100));
  EXPECT_GT(arrow_width_at(h * 21 / 100), arrow_width_at(h * 27 / 100)) << "the shaft is narrower than the head";
  EXPECT_EQ(pattern_colour_at(w, h, 0, w / 2, h * 15 / 100), kArrow);
  EXPECT_EQ(arrow_width_at(h * 13 / 100), 0) << "nothing of it in the eighth a 16:9 output crops";
}

TEST(TestPattern, BarsRunThroughTheEightColoursLeftToRight) {
  const std::int32_t w = 800, h = 600;
  for (int i = 0; i < 8; ++i) {
    const std::int32_t x = w / 10 + (w * 8 / 10) * (2 * i + 1) / 16;
    EXPECT_EQ(pattern_colour_at(w, h, 0, x, h * 44 / 100), kBars[i]) << i;
  }
}

TEST(TestPattern, NumberAndBlockChangeFromFrameToFrame) {
  const std::int32_t w = 800, h = 600;
  std::vector<std::uint8_t> a(w * h * 4), b(w * h * 4);
  ASSERT_TRUE(draw_test_pattern(a.data(), a.size(), w, h, 1));
  ASSERT_TRUE(draw_test_pattern(b.data(), b.size(), w, h, 2));
  int digit_diff = 0, block_diff = 0;
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) {
      if (rgb_at(a, w, x, y) == rgb_at(b, w, x, y)) continue;
      (y * 1000 < h * 805 ? digit_diff : block_diff)++;
    }
  EXPECT_GT(digit_diff, 0);
  EXPECT_GT(block_diff, 0);
}

TEST(TestPattern, DigitsSpellTheNumber) {
  // 600 x 700: the six digit cells span x 120..480 (60 px each, glyph columns
  // 10 px) and y 420..560 (glyph rows 20 px). In the last cell, glyph column 0
  // of row 1 is lit for "0" and dark for "1".
  const std::int32_t w = 600, h = 700;
  const std::int32_t x = 120 + 5 * 60 + 5, y = 420 + 20 + 10;
  EXPECT_EQ(pattern_colour_at(w, h, 10, x, y), kDigits);
  EXPECT_EQ(pattern_colour_at(w, h, 1, x, y), kBackground);
  // Column 2 of row 0 is lit for "1".
  EXPECT_EQ(pattern_colour_at(w, h, 1, 120 + 5 * 60 + 25, 420 + 10), kDigits);
  // Leading zeros: the first cell shows "0" for a small number.
  EXPECT_EQ(pattern_colour_at(w, h, 1, 120 + 5, y), kDigits);
}

TEST(TestPattern, RefusesABufferTooSmall) {
  std::vector<std::uint8_t> px(64 * 48 * 4 - 1, 0xAB);
  EXPECT_FALSE(draw_test_pattern(px.data(), px.size(), 64, 48, 0));
  EXPECT_EQ(px[0], 0xAB);
  EXPECT_FALSE(draw_test_pattern(px.data(), px.size(), 0, 48, 0));
}

TEST(PatternCheck, AcceptsTheExactPictureAndRejectsAnother) {
  const std::int32_t w = 320, h = 240;
  const std::size_t stride = w * 3;
  std::vector<std::uint8_t> out(stride * h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) {
      const std::uint32_t c = pattern_colour_at(w, h, 5, x, y);
      std::uint8_t* p = out.data() + (h - 1 - y) * stride + x * 3;
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = c >> 16;
    }
  EXPECT_TRUE(check_pattern_picture(out.data(), w, h, w, h, 5).ok());
  EXPECT_TRUE(check_pattern_corners(out.data(), w, h).ok());
  std::vector<std::uint8_t> grey(out.size(), 0x80);
  EXPECT_FALSE(check_pattern_picture(grey.data(), w, h, w, h, 5).ok());
  EXPECT_FALSE(check_pattern_corners(grey.data(), w, h).ok());
}

}  // namespace
}  // namespace vcam::publisher
