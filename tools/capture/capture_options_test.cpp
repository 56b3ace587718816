#include "tools/capture/capture_options.h"

#include <gtest/gtest.h>

namespace vcam::capture {
namespace {

ParsedOptions parse(std::vector<std::u16string> args) { return parse_capture_options(args); }

TEST(CaptureOptions, ListNeedsNothingElse) {
  const ParsedOptions p = parse({u"--list"});
  ASSERT_TRUE(p.options);
  EXPECT_TRUE(p.options->list_devices);
  EXPECT_EQ(p.options->frames, 0);
}

TEST(CaptureOptions, HelpEndsTheParsing) {
  const ParsedOptions p = parse({u"--help", u"--bogus"});
  ASSERT_TRUE(p.options);
  EXPECT_TRUE(p.options->help);
}

TEST(CaptureOptions, DeviceCaptureDefaultsToThirtySamples) {
  const ParsedOptions p = parse({u"--device", u"ZeloCamV10"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_EQ(p.options->device, u"ZeloCamV10");
  EXPECT_EQ(p.options->frames, 30);
  EXPECT_EQ(p.options->milliseconds, 0);
  EXPECT_FALSE(p.options->width);
}

TEST(CaptureOptions, EverySetting) {
  const ParsedOptions p = parse({u"--device", u"Cam", u"--caps", u"--size", u"1280x720", u"--frames", u"16", u"--png",
                                 u"0,15", u"--out", u"C:\\out", u"--no-clock"});
  ASSERT_TRUE(p.options) << p.error;
  const CaptureOptions& o = *p.options;
  EXPECT_TRUE(o.list_capabilities);
  EXPECT_EQ(o.width, 1280);
  EXPECT_EQ(o.height, 720);
  EXPECT_EQ(o.frames, 16);
  EXPECT_EQ(o.png_frames, (std::vector<std::int64_t>{0, 15}));
  EXPECT_EQ(o.out_folder, u"C:\\out");
  EXPECT_TRUE(o.no_clock);
  EXPECT_TRUE(o.wants_png(0));
  EXPECT_TRUE(o.wants_png(15));
  EXPECT_FALSE(o.wants_png(1));
}

TEST(CaptureOptions, SecondsTakeUpToThreeDecimals) {
  EXPECT_EQ(parse({u"--device", u"C", u"--seconds", u"2"}).options->milliseconds, 2000);
  EXPECT_EQ(parse({u"--device", u"C", u"--seconds", u"0.5"}).options->milliseconds, 500);
  EXPECT_EQ(parse({u"--device", u"C", u"--seconds", u"1.25"}).options->milliseconds, 1250);
  EXPECT_EQ(parse({u"--device", u"C", u"--seconds", u"1.125"}).options->milliseconds, 1125);
  EXPECT_FALSE(parse({u"--device", u"C", u"--seconds", u"1.1250"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--seconds", u"0"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--seconds", u"1."}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--seconds", u"-1"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--seconds", u"x"}).options);
}

TEST(CaptureOptions, PngEveryKth) {
  const ParsedOptions p = parse({u"--device", u"C", u"--png-every", u"5"});
  ASSERT_TRUE(p.options);
  EXPECT_TRUE(p.options->wants_png(0));
  EXPECT_TRUE(p.options->wants_png(10));
  EXPECT_FALSE(p.options->wants_png(11));
}

TEST(CaptureOptions, Refusals) {
  EXPECT_FALSE(parse({}).options);
  EXPECT_FALSE(parse({u"--device"}).options);
  EXPECT_FALSE(parse({u"--device", u""}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--size", u"1280"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--size", u"0x720"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--size", u"1280x-720"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--size", u"99999x1"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--frames", u"0"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--frames", u"12abc"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--frames", u"99999999999"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--frames", u"3", u"--seconds", u"1"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--png", u"1,,2"}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--png", u""}).options);
  EXPECT_FALSE(parse({u"--device", u"C", u"--colour"}).options);
  const ParsedOptions unknown = parse({u"--list", u"--verbose"});
  EXPECT_EQ(unknown.error, "unknown argument --verbose");
}

}  // namespace
}  // namespace vcam::capture
