#include "tools/outside/client/test_card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/publisher/test_pattern.h"

namespace vcam::client {
namespace {

constexpr std::int32_t kW = 1280, kH = 720;

std::uint32_t colour(const std::vector<std::uint8_t>& p, std::int32_t w, std::int32_t x, std::int32_t y) {
  const std::uint8_t* q = &p[(static_cast<std::size_t>(y) * w + x) * 4];
  return (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
}

// The pixel at `fraction` of the radius out from the face centre, at the
// clock position `minutes` (0 = twelve, 15 = three).
std::uint32_t on_face(const std::vector<std::uint8_t>& p, double minutes, double fraction) {
  const FaceGeometry f = clock_face(kW, kH);
  const double a = minutes * 3.14159265358979 / 30;
  const auto x = static_cast<std::int32_t>(std::lround(f.cx + std::sin(a) * f.radius * fraction));
  const auto y = static_cast<std::int32_t>(std::lround(f.cy - std::cos(a) * f.radius * fraction));
  return colour(p, kW, x, y);
}

std::vector<std::uint8_t> card(const ClockTime& t) {
  std::vector<std::uint8_t> p(static_cast<std::size_t>(kW) * kH * 4, 0x55);
  TestCard c;
  EXPECT_TRUE(c.draw(p.data(), p.size(), kW, kH, t));
  return p;
}

TEST(TestCard, HandsPointWhereTheTimeSays) {
  // 03:00:30.000: hour hand to three, minute hand to twelve, second hand to six.
  const auto p = card({3, 0, 30, 0});
  EXPECT_EQ(on_face(p, 15, 0.3), kHourHandColour);
  EXPECT_EQ(on_face(p, 0, 0.65), kMinuteHandColour);
  EXPECT_EQ(on_face(p, 30, 0.8), kSecondHandColour);
  // Nothing at nine or at the hour hand's length beyond its tip.
  EXPECT_EQ(on_face(p, 45, 0.3), kFaceColour);
  EXPECT_EQ(on_face(p, 15, 0.7), kFaceColour);
}

TEST(TestCard, TheSecondHandSweepsWithTheMilliseconds) {
  // 15.5 s: half-way between the 15 and 16 second marks.
  const auto p = card({10, 10, 15, 500});
  EXPECT_EQ(on_face(p, 15.5, 0.85), kSecondHandColour);
  const auto q = card({10, 10, 15, 0});
  EXPECT_NE(on_face(q, 15.5, 0.85), kSecondHandColour);
}

TEST(TestCard, TheDigitsChangeWithTheTimeAndStayInThePanel) {
  const auto a = card({12, 34, 56, 0});
  const auto b = card({12, 34, 57, 0});
  const PixelRect panel = clock_panel_rect(kW, kH);
  const FaceGeometry face = clock_face(kW, kH);
  int segment_pixels = 0, changed_right_of_face = 0;
  for (std::int32_t y = 0; y < kH; ++y) {
    for (std::int32_t x = 0; x < kW; ++x) {
      const bool in_panel = x >= panel.left && x < panel.right && y >= panel.top && y < panel.bottom;
      if (!in_panel) {
        ASSERT_EQ(colour(a, kW, x, y), publisher::pattern_colour_at(kW, kH, 0, x, y)) << x << "," << y;
        continue;
      }
      if (colour(a, kW, x, y) == kSegmentColour) ++segment_pixels;
      if (x > face.cx + face.radius && colour(a, kW, x, y) != colour(b, kW, x, y)) ++changed_right_of_face;
    }
  }
  EXPECT_GT(segment_pixels, 1000);
  EXPECT_GT(changed_right_of_face, 50) << "the last seconds digit changes from 6 to 7";
}

TEST(TestCard, RefusesBuffersSmallerThanThePicture) {
  std::vector<std::uint8_t> p(64 * 36 * 4 - 1, 0x77);
  TestCard c;
  EXPECT_FALSE(c.draw(p.data(), p.size(), 64, 36, {}));
  EXPECT_FALSE(c.draw(p.data(), p.size(), 0, 36, {}));
  EXPECT_FALSE(c.draw(nullptr, p.size(), 64, 36, {}));
  for (std::uint8_t v : p) ASSERT_EQ(v, 0x77);
  // Tiny pictures still draw without leaving the buffer.
  std::vector<std::uint8_t> tiny(4 * 3 * 4);
  EXPECT_TRUE(c.draw(tiny.data(), tiny.size(), 4, 3, {23, 59, 59, 999}));
  EXPECT_TRUE(c.draw(tiny.data(), tiny.size(), 1, 1, {}));
}

}  // namespace
}  // namespace vcam::client
