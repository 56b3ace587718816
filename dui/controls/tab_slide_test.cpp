// The slide schedule of a newly selected tab page and the slider arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "dui/controls/slider_geometry.h"
#include "dui/controls/tab_slide.h"
#include "dui/runtime/precise_clock.h"

namespace vcam::dui {
namespace {

TEST(TabSlide, ComesFromTheRightOnlyWhenTheNewTabLiesRightOfTheOldOne) {
  EXPECT_EQ(TabSlideDirection(0, 2), 1);
  EXPECT_EQ(TabSlideDirection(0, 1), 1);
  EXPECT_EQ(TabSlideDirection(2, 0), -1);
  EXPECT_EQ(TabSlideDirection(1, 0), -1);
}

TEST(TabSlide, TenStepsOfATenthEndInPlace) {
  std::vector<std::int32_t> right, left;
  for (std::int32_t step = 1; step <= kTabSlideSteps; ++step) {
    right.push_back(TabSlideOffset(200, 1, step));
    left.push_back(TabSlideOffset(200, -1, step));
  }
  EXPECT_EQ(right, (std::vector<std::int32_t>{180, 160, 140, 120, 100, 80, 60, 40, 20, 0}));
  EXPECT_EQ(left, (std::vector<std::int32_t>{-180, -160, -140, -120, -100, -80, -60, -40, -20, 0}));
}

TEST(TabSlide, OddWidthsAndOutOfRangeStepsStayInsideTheSlide) {
  EXPECT_EQ(TabSlideOffset(7, 1, 1), 6);   // 7 x 9 / 10
  EXPECT_EQ(TabSlideOffset(7, 1, 9), 0);   // 7 / 10
  EXPECT_EQ(TabSlideOffset(7, 1, 0), 7);   // not started: fully out
  EXPECT_EQ(TabSlideOffset(7, 1, -3), 7);
  EXPECT_EQ(TabSlideOffset(7, 1, 11), 0);
  EXPECT_EQ(TabSlideOffset(0, 1, 1), 0);
  EXPECT_EQ(TabSlideOffset(-50, -1, 1), 0);
  EXPECT_EQ(TabSlideOffset(INT32_MAX, 1, 1), static_cast<std::int32_t>(std::int64_t{INT32_MAX} * 9 / 10));
}

TEST(TabSlide, EachStepEndsTenMillisecondsAfterTheStartTimesItsNumber) {
  EXPECT_EQ(TabSlideDeadline(500, 1000, 1), 510);
  EXPECT_EQ(TabSlideDeadline(500, 1000, 10), 600);
  // A performance counter at 10 MHz, started far from zero.
  EXPECT_EQ(TabSlideDeadline(123456789012, 10000000, 3), 123456789012 + 300000);
  EXPECT_EQ(TabSlideDeadline(0, 3579545, 10), 357954);
}

TEST(TabSlide, TheSteadyClockCountsNanosecondsForwards) {
  SteadyClock clock;
  EXPECT_EQ(clock.TicksPerSecond(), 1000000000);
  std::int64_t last = clock.Ticks();
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t now = clock.Ticks();
    EXPECT_GE(now, last);
    last = now;
  }
}

TEST(SliderGeometry, ValuesAreClampedToZeroAndTheMaximum) {
  EXPECT_EQ(ClampSliderValue(150, 100), 100);
  EXPECT_EQ(ClampSliderValue(100, 100), 100);
  EXPECT_EQ(ClampSliderValue(-1, 100), 0);
  EXPECT_EQ(ClampSliderValue(INT32_MIN, 100), 0);
  EXPECT_EQ(ClampSliderValue(5, 0), 0);
  EXPECT_EQ(ClampSliderValue(5, -10), 0);
}

TEST(SliderGeometry, ValueAtAPointCountsFromTheMiddleOfTheThumb) {
  // 110 long, thumb 10: 100 pixels of travel for 0..100.
  EXPECT_EQ(SliderValueAt(5, 110, 10, 100), 0);
  EXPECT_EQ(SliderValueAt(55, 110, 10, 100), 50);
  EXPECT_EQ(SliderValueAt(105, 110, 10, 100), 100);
  EXPECT_EQ(SliderValueAt(0, 110, 10, 100), -5);
  EXPECT_EQ(SliderValueAt(200, 110, 10, 100), 195);
  // Maximum 1000 over 200 pixels: five values a pixel.
  EXPECT_EQ(SliderValueAt(7, 210, 10, 1000), 10);
}

TEST(SliderGeometry, ATrackNoLongerThanTheThumbGivesZeroInsteadOfDividing) {
  EXPECT_EQ(SliderValueAt(5, 10, 10, 100), 0);
  EXPECT_EQ(SliderValueAt(5, 4, 10, 100), 0);
  EXPECT_EQ(SliderThumbOffset(50, 10, 10, 100), 0);
  EXPECT_EQ(SliderThumbOffset(50, 4, 10, 100), 0);
  EXPECT_EQ(SliderThumbOffset(50, 110, 10, 0), 0);
}

TEST(SliderGeometry, LargeMaximaDoNotOverflow) {
  EXPECT_EQ(SliderValueAt(100005, 200010, 10, INT32_MAX), INT32_MAX / 2);
  EXPECT_EQ(SliderValueAt(INT32_MAX, 20, 10, INT32_MAX), INT32_MAX);
  EXPECT_EQ(SliderThumbOffset(INT32_MAX, 200010, 10, INT32_MAX), 200000);
}

TEST(SliderGeometry, ThumbOffsetIsTheInverseOfTheValueAtItsMiddle) {
  for (std::int32_t v = 0; v <= 100; v += 10) {
    const std::int32_t offset = SliderThumbOffset(v, 110, 10, 100);
    EXPECT_EQ(offset, v);
    EXPECT_EQ(SliderValueAt(offset + 5, 110, 10, 100), v);
  }
  EXPECT_EQ(SliderThumbOffset(-1, 110, 10, 100), 0);
  EXPECT_EQ(SliderThumbOffset(500, 110, 10, 100), 100);
}

TEST(SliderGeometry, WheelDeltaIsTheSignedHighWord) {
  EXPECT_EQ(WheelDelta(static_cast<std::intptr_t>(120u << 16)), 120);
  EXPECT_EQ(WheelDelta(static_cast<std::intptr_t>(0xFF880000u)), -120);
  EXPECT_EQ(WheelDelta(static_cast<std::intptr_t>(0xFF880008u)), -120);  // key state in the low word
  EXPECT_EQ(WheelDelta(0), 0);
}

}  // namespace
}  // namespace vcam::dui
