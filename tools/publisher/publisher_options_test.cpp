#include "tools/publisher/publisher_options.h"

#include <gtest/gtest.h>

namespace vcam::publisher {
namespace {

PublisherOptions parse_ok(std::vector<std::u16string> args) {
  PublisherOptions o;
  std::string error;
  EXPECT_TRUE(parse_publisher_options(args, o, error)) << error;
  return o;
}

std::string parse_error(std::vector<std::u16string> args) {
  PublisherOptions o;
  std::string error;
  EXPECT_FALSE(parse_publisher_options(args, o, error));
  return error;
}

TEST(PublisherOptions, DefaultsAre800x600At15Fps) {
  const PublisherOptions o = parse_ok({});
  EXPECT_EQ(o.width, 800);
  EXPECT_EQ(o.height, 600);
  EXPECT_EQ(o.fps, 15u);
  EXPECT_FALSE(o.duration_ms);
}

TEST(PublisherOptions, ReadsEveryOption) {
  const PublisherOptions o =
      parse_ok({u"--size", u"640x480", u"--fps", u"30", u"--bottom-up", u"--first-number", u"77",
                u"--freeze-after-frames", u"5", u"--withdraw-after-ms", u"900", u"--duration-ms", u"2000",
                u"--names-suffix", u"-t1", u"--quiet"});
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_EQ(o.fps, 30u);
  EXPECT_TRUE(o.bottom_up);
  EXPECT_EQ(o.first_number, 77u);
  EXPECT_EQ(o.freeze_after_frames, 5u);
  EXPECT_EQ(o.withdraw_after_ms, 900u);
  EXPECT_EQ(o.duration_ms, 2000u);
  EXPECT_EQ(o.names_suffix, u"-t1");
  EXPECT_TRUE(o.quiet);
}

TEST(PublisherOptions, RefusesPicturesLargerThanThePixelArea) {
  EXPECT_NE(parse_error({u"--size", u"801x600"}).find("--size"), std::string::npos);
  EXPECT_NE(parse_error({u"--size", u"1920x1080"}).find("1920x1080"), std::string::npos);
  parse_ok({u"--size", u"960x500"});
}

TEST(PublisherOptions, RefusesMalformedValues) {
  parse_error({u"--size", u"800"});
  parse_error({u"--size", u"0x600"});
  parse_error({u"--size", u"-800x600"});
  parse_error({u"--fps", u"0"});
  parse_error({u"--fps", u"12a"});
  parse_error({u"--duration-ms"});
  EXPECT_NE(parse_error({u"--colour"}).find("unknown option: --colour"), std::string::npos);
}

TEST(PublisherSchedule, PublishesUntilFrozenOrWithdrawnOrDone) {
  PublisherOptions o;
  o.freeze_after_frames = 3;
  o.withdraw_after_ms = 5000;
  o.duration_ms = 8000;
  EXPECT_EQ(publisher_step(o, 2, 100), PublisherStep::Publish);
  EXPECT_EQ(publisher_step(o, 3, 200), PublisherStep::Hold);
  EXPECT_EQ(publisher_step(o, 3, 5000), PublisherStep::Withdraw);
  EXPECT_EQ(publisher_step(o, 3, 8000), PublisherStep::Stop);
}

TEST(PublisherSchedule, TimeLimitsApplyAtTheirMillisecond) {
  PublisherOptions o;
  o.freeze_after_ms = 1000;
  EXPECT_EQ(publisher_step(o, 40, 999), PublisherStep::Publish);
  EXPECT_EQ(publisher_step(o, 40, 1000), PublisherStep::Hold);
  PublisherOptions w;
  w.withdraw_after_frames = 1;
  EXPECT_EQ(publisher_step(w, 0, 0), PublisherStep::Publish);
  EXPECT_EQ(publisher_step(w, 1, 0), PublisherStep::Withdraw);
}

}  // namespace
}  // namespace vcam::publisher
