#include "launcher/assets/progress_throttle.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam::launcher {
namespace {

// Feeds 0, step, 2·step … up to total (and total itself) and collects the
// values posted.
std::vector<std::uint32_t> posts_of(progress_throttle& throttle, std::uint32_t total, std::uint32_t step) {
  std::vector<std::uint32_t> posted;
  for (std::uint64_t now = 0;; now += step) {
    const auto n = static_cast<std::uint32_t>(now < total ? now : total);
    if (throttle.accept(n, total)) posted.push_back(n);
    if (n == total) break;
  }
  return posted;
}

TEST(ProgressThrottle, AFileIsPostedAtMost257TimesAndAlwaysAtItsEnd) {
  for (std::uint32_t total : {1u, 2u, 255u, 256u, 257u, 1000u, 65'536u, 1'234'567u, 10'000'019u}) {
    progress_throttle throttle;
    const auto posted = posts_of(throttle, total, 1);
    EXPECT_LE(posted.size(), 257u) << total;
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back(), total);
    // Each post but the last advanced by at least 1/256 of the total.
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i + 1 < posted.size(); ++i) {
      EXPECT_GE((posted[i] - previous) * 256ull, total) << total << " at " << posted[i];
      previous = posted[i];
    }
  }
}

TEST(ProgressThrottle, LargeTotalsPostExactly257TimesByteByByte) {
  progress_throttle throttle;
  EXPECT_EQ(posts_of(throttle, 256 * 1000, 1).size(), 256u);  // the 256th step is the end
  progress_throttle uneven;
  EXPECT_EQ(posts_of(uneven, 256 * 1000 + 255, 1).size(), 256u);
}

TEST(ProgressThrottle, StepsOfAtLeastATwoHundredFiftySixthAreEachPosted) {
  progress_throttle throttle;
  std::vector<std::uint32_t> every_step;
  for (std::uint32_t v = 10; v <= 2560; v += 10) every_step.push_back(v);
  EXPECT_EQ(posts_of(throttle, 2560, 10), every_step);
  EXPECT_FALSE(throttle.accept(2560, 2560));
}

TEST(ProgressThrottle, SmallStepsAndRepeatsAreDropped) {
  progress_throttle throttle;
  EXPECT_FALSE(throttle.accept(0, 1000));
  EXPECT_FALSE(throttle.accept(3, 1000));
  EXPECT_TRUE(throttle.accept(4, 1000));  // 4·256 ≥ 1000
  EXPECT_FALSE(throttle.accept(4, 1000));
  EXPECT_FALSE(throttle.accept(7, 1000));
  EXPECT_TRUE(throttle.accept(1000, 1000));
  // libcurl reports the end more than once; it is posted once.
  EXPECT_FALSE(throttle.accept(1000, 1000));
  EXPECT_FALSE(throttle.accept(1000, 1000));
}

TEST(ProgressThrottle, AReportBelowTheLastStartsTheNextFileFromZero) {
  progress_throttle throttle;
  EXPECT_TRUE(throttle.accept(500, 500));
  EXPECT_FALSE(throttle.accept(0, 100));
  EXPECT_FALSE(throttle.accept(0, 100));
  EXPECT_TRUE(throttle.accept(1, 100));  // 256 ≥ 100
  EXPECT_TRUE(throttle.accept(100, 100));
  // A next file of the same size still posts its end once more.
  EXPECT_FALSE(throttle.accept(0, 100));
  EXPECT_TRUE(throttle.accept(100, 100));
}

TEST(ProgressThrottle, StepsAreMeasuredInUnsigned32BitArithmetic) {
  // 2^24 bytes times 256 wraps to 0, which is below any total: dropped.
  progress_throttle throttle;
  EXPECT_FALSE(throttle.accept(0x01000000u, 0x02000000u));
  // 2^24 + 2^17 bytes give 2^25 after wrapping: posted.
  EXPECT_TRUE(throttle.accept(0x01020000u, 0x02000000u));
  EXPECT_TRUE(throttle.accept(0x02000000u, 0x02000000u));
}

}  // namespace
}  // namespace vcam::launcher
