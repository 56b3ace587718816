// The slide show's schedule and the cross-fade arithmetic, with injected ticks.
#include "uninstaller/ui/slide_show.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam::uninstaller {
namespace {

TEST(SlideShow, StartedItShowsTheFirstImageAtOnceAndSwitchesOnThe101stTick) {
  SlideShow show(3);
  EXPECT_TRUE(show.start());
  EXPECT_EQ(show.counter(), 50);
  EXPECT_FALSE(show.fading()) << "the first image needs no fade";
  for (int i = 0; i < 100; ++i) show.tick();
  EXPECT_EQ(show.index(), 0u);
  EXPECT_EQ(show.counter(), 150);
  show.tick();
  EXPECT_EQ(show.index(), 1u);
  EXPECT_EQ(show.previous(), 0u);
  EXPECT_EQ(show.counter(), 0);
  EXPECT_TRUE(show.fading());
  for (int i = 0; i < 39; ++i) show.tick();
  EXPECT_TRUE(show.fading()) << "counter 39";
  show.tick();
  EXPECT_FALSE(show.fading()) << "40 ticks of fade";
}

TEST(SlideShow, EachImageStays151TicksAndTheLastWrapsToTheFirst) {
  SlideShow show(2);
  show.start();
  for (int i = 0; i < 101; ++i) show.tick();
  ASSERT_EQ(show.index(), 1u);
  for (int i = 0; i < 150; ++i) show.tick();
  EXPECT_EQ(show.index(), 1u);
  show.tick();
  EXPECT_EQ(show.index(), 0u);
  EXPECT_EQ(show.previous(), 1u);
}

TEST(SlideShow, StartingWhileRunningKeepsTheCounterAndStoppingEndsTheFade) {
  SlideShow show(2);
  show.start();
  for (int i = 0; i < 105; ++i) show.tick();
  EXPECT_FALSE(show.start());
  EXPECT_EQ(show.counter(), 4);
  EXPECT_TRUE(show.fading());
  show.stop();
  EXPECT_FALSE(show.fading()) << "a stopped show shows its current image";
  EXPECT_TRUE(show.start());
  EXPECT_EQ(show.counter(), 50);
}

TEST(SlideShow, WithoutImagesOrWithOneNothingFades) {
  SlideShow none;
  none.start();
  for (int i = 0; i < 300; ++i) none.tick();
  EXPECT_EQ(none.index(), 0u);
  EXPECT_FALSE(none.fading());
  SlideShow one(1);
  one.start();
  for (int i = 0; i < 101; ++i) one.tick();
  EXPECT_EQ(one.index(), 0u);
  EXPECT_FALSE(one.fading()) << "an image does not fade into itself";
}

TEST(SlideShow, TheFadeEasesFromZeroTo255Over40Ticks) {
  EXPECT_EQ(SlideShow::fade_alpha(0), 0);
  EXPECT_EQ(SlideShow::fade_alpha(20), 128);
  EXPECT_EQ(SlideShow::fade_alpha(39), 255);
  for (int c = 1; c < 40; ++c) EXPECT_GE(SlideShow::fade_alpha(c), SlideShow::fade_alpha(c - 1)) << c;
  // Slow at both ends: the first and last steps are the smallest.
  EXPECT_LT(SlideShow::fade_alpha(1) - SlideShow::fade_alpha(0), SlideShow::fade_alpha(21) - SlideShow::fade_alpha(20));
}

TEST(CrossFade, WeighsEachByteAndKeepsWithinTheShortestSpan) {
  const std::vector<std::uint8_t> previous{200, 0, 255, 9}, current{100, 255, 255, 9, 77};
  std::vector<std::uint8_t> out(5, 1);
  cross_fade(previous, current, out, 64);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{175, 63, 255, 9, 1}));
  cross_fade(previous, current, out, 0);
  EXPECT_EQ(out[0], 200) << "all previous";
  cross_fade(previous, current, out, 256);
  EXPECT_EQ(out[0], 100) << "all current";
  cross_fade(previous, current, out, 999);
  EXPECT_EQ(out[0], 100) << "limited to 256";
}

}  // namespace
}  // namespace vcam::uninstaller
