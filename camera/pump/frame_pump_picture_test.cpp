// A published test pattern arrives upright, unmirrored and in its colours at
// every offered output size.
#include <gtest/gtest.h>

#include <memory>

#include "camera/pump/frame_pump.h"
#include "camera/pump/picture_geometry.h"
#include "camera/pump/pump_fakes.h"
#include "tools/publisher/pattern_check.h"
#include "tools/publisher/test_pattern.h"

namespace vcam::camera {
namespace {

struct Case {
  std::int32_t w, h;
  bool cropped;  // exact 16:9: an eighth of the 4:3 picture is cut at top and bottom
};
constexpr Case kOffered[10] = {{640, 480, false},  {800, 600, false},  {480, 360, false}, {320, 240, false},
                               {160, 120, false},  {640, 360, true},   {800, 448, false}, {960, 544, false},
                               {1280, 720, true}, {1920, 1080, true}};

class PatternThroughPump : public ::testing::TestWithParam<bool> {};

TEST_P(PatternThroughPump, ArrivesUprightWithItsColoursAndCornersAtEveryOfferedSize) {
  const bool bottom_up = GetParam();
  testing::FakeFrameSource source;
  testing::FakeClock clock;
  testing::FakePlaceholder placeholder;
  testing::FakeCompanion companion;
  FramePump pump(source, clock, placeholder, companion);
  const std::uint32_t number = 4711;
  ASSERT_TRUE(publisher::draw_test_pattern(source.pixels(), source.pixel_area(), 800, 600, number, bottom_up));
  for (const Case& c : kOffered) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    pump.set_media_type(c.w, c.h);
    pump.active();
    source.publish(800, bottom_up ? -600 : 600, c.w);  // a new stamp for every size
    testing::FakeSample s(dib_stride24(c.w) * static_cast<std::size_t>(c.h));
    pump.fill_buffer(s);
    const double top = c.cropped ? 0.125 : 0.0, bottom = c.cropped ? 0.875 : 1.0;
    const auto picture = publisher::check_pattern_picture(s.data(), c.w, c.h, 800, 600, number, top, bottom);
    EXPECT_TRUE(picture.ok()) << picture.checked << " points, " << picture.mismatched << " off: " << picture.report;
    EXPECT_GT(picture.checked, 200);
    const auto corners = publisher::check_pattern_corners(s.data(), c.w, c.h, top, bottom);
    EXPECT_TRUE(corners.ok()) << corners.report;
  }
}

INSTANTIATE_TEST_SUITE_P(PublisherRowOrder, PatternThroughPump, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BottomUp" : "TopDown"; });

// The check itself must notice the faults it is there for.
TEST(PatternThroughPumpCheck, AFlippedOrColourSwappedPictureIsCaught) {
  auto deliver = [](std::int32_t published_height) {
    testing::FakeFrameSource source;
    testing::FakeClock clock;
    testing::FakePlaceholder placeholder;
    testing::FakeCompanion companion;
    FramePump pump(source, clock, placeholder, companion);
    publisher::draw_test_pattern(source.pixels(), source.pixel_area(), 800, 600, 1);
    pump.set_media_type(640, 480);
    pump.active();
    source.publish(800, published_height, 1);
    auto s = std::make_unique<testing::FakeSample>(921600);
    pump.fill_buffer(*s);
    return s;
  };
  // Drawn top row first but published as bottom-up: the output is upside down.
  auto flipped = deliver(-600);
  EXPECT_FALSE(publisher::check_pattern_corners(flipped->data(), 640, 480).ok());
  EXPECT_FALSE(publisher::check_pattern_picture(flipped->data(), 640, 480, 800, 600, 1).ok());

  auto swapped = deliver(600);
  ASSERT_TRUE(publisher::check_pattern_corners(swapped->data(), 640, 480).ok());
  for (std::size_t i = 0; i < 921600; i += 3) std::swap(swapped->data()[i], swapped->data()[i + 2]);
  EXPECT_FALSE(publisher::check_pattern_corners(swapped->data(), 640, 480).ok());
  EXPECT_FALSE(publisher::check_pattern_picture(swapped->data(), 640, 480, 800, 600, 1).ok());
}

}  // namespace
}  // namespace vcam::camera
