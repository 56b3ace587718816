#include "camera/filter/format_table.h"

#include <gtest/gtest.h>

namespace vcam::camera {
namespace {

TEST(FormatTable, HoldsTheTenSizesInOrder) {
  const FrameSize expected[] = {{640, 480}, {800, 600}, {480, 360}, {320, 240},  {160, 120},
                                {640, 360}, {800, 448}, {960, 544}, {1280, 720}, {1920, 1080}};
  ASSERT_EQ(kFormatCount, 10);
  for (int i = 0; i < kFormatCount; ++i) EXPECT_EQ(kFormatTable[static_cast<size_t>(i)], expected[i]) << i;
  EXPECT_EQ(kFormatTable[kDefaultFormatIndex], (FrameSize{640, 480}));
}

TEST(FormatTable, VgaTypeFigures) {
  const VideoTypeFigures f = video_type_figures({640, 480}, kOutputFramesPerSecond);
  EXPECT_EQ(f.width, 640);
  EXPECT_EQ(f.height, 480);
  EXPECT_EQ(f.sample_size, 921'600u);
  EXPECT_EQ(f.bit_rate, 221'184'000u);
  EXPECT_EQ(f.avg_time_per_frame, 666'666);
}

TEST(FormatTable, LargestTypeFiguresFitTheirFields) {
  const VideoTypeFigures f = video_type_figures({1920, 1080}, kOutputFramesPerSecond);
  EXPECT_EQ(f.sample_size, 6'220'800u);
  EXPECT_EQ(f.bit_rate, 1'492'992'000u);
  const CapabilityFigures c = capability_figures({1920, 1080}, kOutputFramesPerSecond);
  EXPECT_EQ(c.min_bits_per_second, 746'496'000);
  EXPECT_EQ(c.max_bits_per_second, 1'492'992'000);
}

TEST(FormatTable, VgaCapabilityFigures) {
  const CapabilityFigures c = capability_figures({640, 480}, kOutputFramesPerSecond);
  EXPECT_EQ(c.input_size, (FrameSize{640, 480}));
  EXPECT_EQ(c.granularity, 1);
  EXPECT_EQ(c.min_frame_interval, 333'333);
  EXPECT_EQ(c.max_frame_interval, 666'666);
  EXPECT_EQ(c.min_bits_per_second, 110'592'000);
  EXPECT_EQ(c.max_bits_per_second, 221'184'000);
}

TEST(FormatTable, SampleSizesHaveNoRowPaddingAndTheirBitRate) {
  for (const FrameSize& size : kFormatTable) {
    const VideoTypeFigures f = video_type_figures(size, kOutputFramesPerSecond);
    EXPECT_EQ(f.sample_size, static_cast<std::uint32_t>(size.width * 3 * size.height)) << "no row padding";
    EXPECT_EQ(f.bit_rate, f.sample_size * 240);
  }
}

TEST(FormatTable, FindsOnlyExactEntries) {
  EXPECT_EQ(find_format(640, 480), 0);
  EXPECT_EQ(find_format(1280, 720), 8);
  EXPECT_EQ(find_format(1920, 1080), 9);
  EXPECT_EQ(find_format(1280, -720), std::nullopt) << "top-down types are not in the table";
  EXPECT_EQ(find_format(480, 640), std::nullopt);
  EXPECT_EQ(find_format(800, 450), std::nullopt);
  EXPECT_EQ(find_format(0, 0), std::nullopt);
}

}  // namespace
}  // namespace vcam::camera
