// The pump's timing, freshness, geometry and failure paths, driven by fakes.
#include "camera/pump/frame_pump.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "camera/pump/picture_geometry.h"
#include "camera/pump/pump_fakes.h"

namespace vcam::camera {
namespace {

using testing::FakeClock;
using testing::FakeCompanion;
using testing::FakeFrameSource;
using testing::FakePlaceholder;
using testing::FakeSample;
using testing::RefusingMemory;

struct Bgr {
  std::uint8_t b, g, r;
};
constexpr Bgr kRed{20, 30, 200};
constexpr Bgr kTeal{180, 160, 10};

class FramePumpTest : public ::testing::Test {
 protected:
  void connect(std::int32_t w, std::int32_t h) {
    pump_.set_media_type(w, h);
    sample_size_ = dib_stride24(w) * static_cast<std::size_t>(h < 0 ? -h : h);
  }
  // A uniform picture of w x h pixels with a new stamp.
  void publish(std::int32_t w, std::int32_t h, Bgr c, std::uint64_t stamp) {
    const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h < 0 ? -h : h);
    for (std::size_t i = 0; i < n; ++i) {
      std::uint8_t* p = source_.pixels() + i * 4;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
      p[3] = 0x77;
    }
    source_.publish(w, h, stamp);
  }
  FakeSample fill() {
    FakeSample s(sample_size_);
    pump_.fill_buffer(s);
    return s;
  }
  // Scaling goes through libswscale's YUV path, so colours come back within a
  // few steps; an unscaled conversion is exact.
  static ::testing::AssertionResult all_colour(FakeSample& s, Bgr c, std::size_t size, int tolerance = 4) {
    for (std::size_t i = 0; i + 2 < size; i += 3) {
      const std::uint8_t* p = s.data() + i;
      if (std::abs(p[0] - c.b) > tolerance || std::abs(p[1] - c.g) > tolerance || std::abs(p[2] - c.r) > tolerance)
        return ::testing::AssertionFailure() << "byte " << i << ": " << int(p[0]) << "," << int(p[1]) << ","
                                             << int(p[2]) << " instead of " << int(c.b) << "," << int(c.g) << ","
                                             << int(c.r);
    }
    return ::testing::AssertionSuccess();
  }
  static bool all_bytes(FakeSample& s, std::uint8_t v, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (s.data()[i] != v) return false;
    return true;
  }
  bool is_placeholder(FakeSample& s) { return all_bytes(s, FakePlaceholder::kByte, 0, s.size()); }

  FakeFrameSource source_;
  FakeClock clock_;
  FakePlaceholder placeholder_;
  FakeCompanion companion_;
  RefusingMemory memory_;
  FramePump pump_{source_, clock_, placeholder_, companion_, &memory_};
  std::size_t sample_size_ = 0;
};

// --- stream clock and time stamps

TEST_F(FramePumpTest, FirstSampleWaitsForTheTickToPassTheStartAndIsStampedZero) {
  connect(640, 480);
  clock_.tick = 5000;
  pump_.active();
  FakeSample s = fill();
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{5000}));
  EXPECT_EQ(s.start, 0);
  EXPECT_EQ(s.stop, 666666);
  EXPECT_EQ(s.media_start, 0);
  EXPECT_EQ(s.media_stop, 1);
  EXPECT_TRUE(s.sync);
}

TEST_F(FramePumpTest, SamplesFollowEachOtherBy666666Units) {
  connect(640, 480);
  pump_.active();
  for (int i = 0; i < 4; ++i) {
    FakeSample s = fill();
    EXPECT_EQ(s.start, i * 666666);
    EXPECT_EQ(s.stop, (i + 1) * 666666);
    EXPECT_EQ(s.media_start, i);
    EXPECT_EQ(s.media_stop, i + 1);
  }
  EXPECT_EQ(pump_.inspect().frame_counter, 4u);
}

TEST_F(FramePumpTest, SampleFifteenIsHeldBackAt999msAndGoesAt1000ms) {
  connect(640, 480);
  clock_.tick = 1000;
  clock_.step = 1;
  pump_.active();
  for (int i = 0; i < 15; ++i) fill();
  ASSERT_LT(clock_.tick, 1999u);
  clock_.tick = 1999;
  clock_.sleeps.clear();
  FakeSample s = fill();
  EXPECT_EQ(s.start, 9999990);
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{1999})) << "999 ms is not yet past the due 999 ms";
  EXPECT_EQ(clock_.tick, 2000u);
}

TEST_F(FramePumpTest, SampleFifteenGoesAtOnceWhen1000msHavePassed) {
  connect(640, 480);
  clock_.tick = 1000;
  pump_.active();
  for (int i = 0; i < 15; ++i) fill();
  clock_.tick = 2000;
  clock_.sleeps.clear();
  FakeSample s = fill();
  EXPECT_EQ(s.start, 9999990);
  EXPECT_TRUE(clock_.sleeps.empty());
}

TEST_F(FramePumpTest, PacingSleepsInFiveMillisecondSteps) {
  connect(640, 480);
  clock_.tick = 0;
  pump_.active();
  fill();
  clock_.sleeps.clear();
  fill();  // due at 66 ms, the clock stands at 5
  ASSERT_FALSE(clock_.sleeps.empty());
  for (std::size_t i = 1; i < clock_.sleeps.size(); ++i) EXPECT_EQ(clock_.sleeps[i] - clock_.sleeps[i - 1], 5u);
  EXPECT_EQ(clock_.sleeps.back(), 65u);
  EXPECT_EQ(clock_.tick, 70u);
}

TEST_F(FramePumpTest, TickWrapDuringStreamingKeepsThePace) {
  connect(640, 480);
  auto run = [&](std::uint32_t start) {
    clock_.tick = start;
    clock_.sleeps.clear();
    pump_.active();
    for (int i = 0; i < 40; ++i) fill();
    std::vector<std::uint32_t> offsets;
    for (std::uint32_t t : clock_.sleeps) offsets.push_back(t - start);
    return offsets;
  };
  const auto plain = run(1000);
  const auto wrapped = run(0xFFFFFF00u);  // wraps 256 ms in
  EXPECT_EQ(wrapped, plain);
  EXPECT_GT(plain.size(), 40u);
}

// --- freshness

TEST_F(FramePumpTest, UnchangedStampRedeliversFor1999msThenShowsThePlaceholderAt2000ms) {
  connect(640, 480);
  clock_.tick = 1000;
  pump_.active();
  publish(640, 480, kRed, 7);
  FakeSample first = fill();  // sleeps to 1005: the new picture is seen at 1005
  ASSERT_EQ(clock_.tick, 1005u);
  EXPECT_TRUE(all_colour(first, kRed, sample_size_));

  clock_.tick = 1005 + 1999;
  FakeSample again = fill();
  EXPECT_TRUE(all_colour(again, kRed, sample_size_));
  EXPECT_EQ(source_.requests.size(), 1u) << "an unchanged stamp is not copied again";

  clock_.tick = 1005 + 2000;
  FakeSample stale = fill();
  EXPECT_TRUE(is_placeholder(stale));

  publish(640, 480, kTeal, 8);
  FakeSample live = fill();
  EXPECT_TRUE(all_colour(live, kTeal, sample_size_));
}

TEST_F(FramePumpTest, StaleIntervalCountsAcrossATickWrap) {
  connect(640, 480);
  clock_.tick = 0xFFFFFF00u;
  pump_.active();
  publish(640, 480, kRed, 1);
  fill();
  const std::uint32_t seen = clock_.tick;
  clock_.tick = seen + 1999;  // past the wrap
  FakeSample again = fill();
  EXPECT_TRUE(all_colour(again, kRed, sample_size_));
  clock_.tick = seen + 2000;
  FakeSample stale = fill();
  EXPECT_TRUE(is_placeholder(stale));
}

TEST_F(FramePumpTest, ActivationForgetsTheLastStamp) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 3);
  fill();
  pump_.active();
  fill();
  EXPECT_EQ(source_.requests.size(), 2u) << "the same stamp is a new picture after activation";
}

TEST_F(FramePumpTest, CopyTimeOutShowsThePreviousPictureAndStillCountsTheStamp) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  fill();
  publish(640, 480, kTeal, 2);
  source_.busy = true;
  FakeSample s = fill();
  EXPECT_TRUE(all_colour(s, kRed, sample_size_));
  source_.busy = false;
  fill();
  EXPECT_EQ(source_.requests.size(), 2u) << "stamp 2 was seen, so it is not copied again";
}

TEST_F(FramePumpTest, NothingPublishedGivesThePlaceholder) {
  connect(640, 480);
  pump_.active();
  FakeSample s = fill();
  EXPECT_TRUE(is_placeholder(s));
  EXPECT_TRUE(source_.requests.empty());
}

TEST_F(FramePumpTest, WithdrawnPictureGivesThePlaceholderAtOnce) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  fill();
  source_.publish(0, 480, 1);
  FakeSample s = fill();
  EXPECT_TRUE(is_placeholder(s));
}

// --- staging image and scaler

TEST_F(FramePumpTest, WidthChangeRebuildsStagingBlackWhenGrownAndRebuildsTheScaler) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  fill();
  auto st = pump_.inspect();
  EXPECT_EQ(st.staging_width, 640);
  EXPECT_EQ(st.staging_height, -480);
  EXPECT_EQ(st.staging_size, 1228800u);
  EXPECT_EQ(st.staging_capacity, 1228800u);
  EXPECT_EQ(st.scaler_builds, 1u);

  publish(800, 600, kTeal, 2);
  source_.busy = true;  // the new pixels never arrive: the grown buffer shows
  FakeSample grown = fill();
  EXPECT_TRUE(all_colour(grown, Bgr{0, 0, 0}, sample_size_)) << "a grown staging image starts opaque black";
  st = pump_.inspect();
  EXPECT_EQ(st.staging_width, 800);
  EXPECT_EQ(st.staging_height, -600);
  EXPECT_EQ(st.staging_capacity, 1920000u);
  EXPECT_EQ(st.scaler_builds, 2u);
  EXPECT_EQ(source_.requests.back(), 1920000u);

  source_.busy = false;
  publish(640, 480, kTeal, 3);
  FakeSample shrunk = fill();
  EXPECT_TRUE(all_colour(shrunk, kTeal, sample_size_));
  st = pump_.inspect();
  EXPECT_EQ(st.staging_size, 1228800u);
  EXPECT_EQ(st.staging_capacity, 1920000u) << "the staging buffer only grows";
  EXPECT_EQ(st.scaler_builds, 3u);
}

TEST_F(FramePumpTest, HeightChangeAloneKeepsTheStagingGeometry) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  fill();
  publish(640, 360, kTeal, 2);  // rows 360..479 of the area still hold red
  FakeSample s = fill();
  const auto st = pump_.inspect();
  EXPECT_EQ(st.staging_height, -480);
  EXPECT_EQ(st.staging_size, 1228800u);
  EXPECT_EQ(source_.requests.back(), 1228800u);
  EXPECT_EQ(st.scaler_builds, 1u);
  // Scaled with the old 480 rows: teal in the top three quarters, red below.
  const std::uint8_t* top = s.data() + 479 * 1920;  // bottom-up: the last row is the top
  const std::uint8_t* bottom = s.data();
  EXPECT_EQ(top[0], kTeal.b);
  EXPECT_EQ(bottom[2], kRed.r);
}

TEST_F(FramePumpTest, ScalerIsBuiltOncePerTargetSize) {
  connect(640, 480);
  pump_.active();
  for (std::uint64_t stamp = 1; stamp <= 5; ++stamp) {
    publish(640, 480, kRed, stamp);
    fill();
  }
  EXPECT_EQ(pump_.inspect().scaler_builds, 1u);
  connect(320, 240);
  publish(640, 480, kRed, 6);
  FakeSample s = fill();
  EXPECT_TRUE(all_colour(s, kRed, sample_size_));
  EXPECT_EQ(pump_.inspect().scaler_builds, 2u);
}

TEST_F(FramePumpTest, StagingBufferIsPageAligned) {
  connect(640, 480);
  pump_.active();
  publish(320, 240, kRed, 1);
  fill();
  bool seen = false;
  for (const auto& r : memory_.requests)
    if (r.size == 320u * 240 * 4) {
      EXPECT_EQ(r.alignment, 4096u);
      seen = true;
    }
  EXPECT_TRUE(seen);
}

TEST_F(FramePumpTest, BottomUpPublisherNeedsNoFlip) {
  connect(640, 480);
  pump_.active();
  // Stored bottom row first: the first stored rows (the picture's bottom) are red.
  publish(640, -480, kTeal, 1);
  for (std::size_t i = 0; i < 640u * 240; ++i) {
    std::uint8_t* p = source_.pixels() + i * 4;
    p[0] = kRed.b, p[1] = kRed.g, p[2] = kRed.r;
  }
  FakeSample s = fill();
  EXPECT_EQ(pump_.inspect().staging_height, 480);
  EXPECT_EQ(s.data()[2], kRed.r) << "the output's first row in memory is the picture's bottom";
  EXPECT_EQ(s.data()[479 * 1920], kTeal.b);
}

// --- output geometry, 16:9 work picture, restart

TEST_F(FramePumpTest, SetMediaTypeStartsTheCompanionFirst) {
  std::vector<std::string> log;
  companion_.log = &log;
  placeholder_.log = &log;
  connect(1280, 720);
  EXPECT_EQ(log, (std::vector<std::string>{"companion", "placeholder 1280x720"}));
}

TEST_F(FramePumpTest, GeometryComesFromTheHeightMagnitude) {
  connect(640, -480);
  const auto st = pump_.inspect();
  EXPECT_EQ(st.out_width, 640);
  EXPECT_EQ(st.out_height, 480);
  EXPECT_EQ(st.out_size, 921600u);
  EXPECT_EQ(st.placeholder_size, 921600u);
  EXPECT_EQ(st.work_width, 0);
}

TEST_F(FramePumpTest, HdOutputConvertsThroughA1280x960WorkPictureAndCopiesItsMiddle) {
  connect(1280, 720);
  auto st = pump_.inspect();
  EXPECT_EQ(st.work_width, 1280);
  EXPECT_EQ(st.work_height, 960);
  EXPECT_EQ(st.crop_offset, 460800u);
  EXPECT_EQ(st.out_size, 2764800u);

  pump_.active();
  // Green encodes the source row: row r of 600 has green r x 255 / 599.
  for (std::int32_t y = 0; y < 600; ++y)
    for (std::int32_t x = 0; x < 800; ++x) {
      std::uint8_t* p = source_.pixels() + (static_cast<std::size_t>(y) * 800 + x) * 4;
      p[0] = 0, p[1] = static_cast<std::uint8_t>(y * 255 / 599), p[2] = 0;
    }
  source_.publish(800, 600, 1);
  FakeSample s = fill();
  // The top output row is work row 120, source row 75; the bottom is work row 839, source row 525.
  const std::uint8_t* top_row = s.data() + 719 * 3840;
  const std::uint8_t* bottom_row = s.data();
  EXPECT_NEAR(top_row[1 + 3 * 640], 75 * 255 / 599, 3);
  EXPECT_NEAR(bottom_row[1 + 3 * 640], 525 * 255 / 599, 3);
  EXPECT_EQ(pump_.inspect().scaler_builds, 1u);
}

TEST_F(FramePumpTest, NearWideSizesScaleDirectly) {
  connect(800, 448);
  EXPECT_EQ(pump_.inspect().work_width, 0);
  connect(960, 544);
  EXPECT_EQ(pump_.inspect().work_width, 0);
  connect(640, 360);
  EXPECT_EQ(pump_.inspect().work_height, 480);
}

TEST_F(FramePumpTest, ThreadDestroyClearsGeometryAndWorkButKeepsTheRest) {
  connect(1280, 720);
  pump_.active();
  publish(800, 600, kRed, 1);
  fill();
  pump_.on_thread_destroy();
  const auto st = pump_.inspect();
  EXPECT_EQ(st.out_width, 0);
  EXPECT_EQ(st.out_height, 0);
  EXPECT_EQ(st.out_size, 0u);
  EXPECT_EQ(st.work_width, 0);
  EXPECT_EQ(st.work_height, 0);
  EXPECT_EQ(st.crop_offset, 0u);
  EXPECT_EQ(st.placeholder_size, 2764800u);
  EXPECT_EQ(st.staging_capacity, 1920000u);
}

TEST_F(FramePumpTest, RestartWithoutSetMediaTypeRebuildsFromTheConnectionType) {
  std::vector<std::string> log;
  placeholder_.log = &log;
  companion_.log = &log;
  connect(1280, 720);
  pump_.active();
  publish(800, 600, kRed, 1);
  fill();
  pump_.on_thread_destroy();

  pump_.on_thread_create(1280, 720);
  const auto st = pump_.inspect();
  EXPECT_EQ(st.out_width, 1280);
  EXPECT_EQ(st.out_height, 720);
  EXPECT_EQ(st.out_size, 2764800u);
  EXPECT_EQ(st.work_height, 960);
  EXPECT_EQ(st.crop_offset, 460800u);
  EXPECT_EQ(log.size(), 2u) << "neither the placeholder nor the companion start is repeated";

  pump_.active();
  publish(800, 600, kTeal, 2);
  FakeSample s = fill();
  EXPECT_TRUE(all_colour(s, kTeal, sample_size_));
}

TEST_F(FramePumpTest, ThreadCreateKeepsAPreparedConnection) {
  connect(640, 360);
  const std::size_t allocations = memory_.requests.size();
  pump_.on_thread_create(640, 360);
  EXPECT_EQ(memory_.requests.size(), allocations);
}

TEST_F(FramePumpTest, ThreadCreateWithANewSizeAlsoRebuildsThePlaceholder) {
  connect(640, 480);
  pump_.on_thread_destroy();
  pump_.on_thread_create(320, 240);
  sample_size_ = 230400;
  pump_.active();
  FakeSample s = fill();
  EXPECT_EQ(pump_.inspect().placeholder_size, 230400u);
  EXPECT_TRUE(is_placeholder(s));
}

TEST_F(FramePumpTest, FillAfterThreadDestroyWithoutRestartDeliversThePlaceholder) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  pump_.on_thread_destroy();
  FakeSample s = fill();
  EXPECT_TRUE(is_placeholder(s));
}

// --- bad headers and odd samples

TEST_F(FramePumpTest, HeadersDescribingNoUsablePictureGiveThePlaceholderWithoutReading) {
  const struct {
    std::int32_t w, h;
  } bad[] = {{0, 480},      {-640, 480}, {640, 0},        {801, 600},         {800, -601},
             {65536, 16384}, {INT_MAX, INT_MAX}, {1, INT_MIN}, {INT_MIN, INT_MIN}};
  connect(640, 480);
  pump_.active();
  std::uint64_t stamp = 1;
  for (const auto& b : bad) {
    source_.publish(b.w, b.h, ++stamp);
    FakeSample s = fill();
    EXPECT_TRUE(is_placeholder(s)) << b.w << "x" << b.h;
  }
  EXPECT_TRUE(source_.requests.empty());
  EXPECT_EQ(pump_.inspect().staging_capacity, 0u);
}

TEST_F(FramePumpTest, ExtremeButValidPictureShapesAreScaledOrReplaced) {
  // Legal headers at the corners of the pixel area: whatever the scaler makes
  // of them, the sample is filled within its bounds and the pump carries on.
  const struct {
    std::int32_t w, h;
  } shapes[] = {{1, 1}, {480000, 1}, {1, -480000}, {2, 2}, {800, 600}};
  connect(320, 240);
  pump_.active();
  std::uint64_t stamp = 1;
  for (const auto& shape : shapes) {
    publish(shape.w, shape.h, kRed, ++stamp);
    FakeSample s = fill();
    EXPECT_TRUE(all_colour(s, kRed, sample_size_) || is_placeholder(s)) << shape.w << "x" << shape.h;
  }
  publish(800, 600, kTeal, ++stamp);
  FakeSample last = fill();
  EXPECT_TRUE(all_colour(last, kTeal, sample_size_));
}

TEST_F(FramePumpTest, SampleLargerThanThePlaceholderGetsZerosAfterIt) {
  connect(640, 480);
  pump_.active();
  FakeSample s(921600 + 1000);
  pump_.fill_buffer(s);
  EXPECT_TRUE(all_bytes(s, FakePlaceholder::kByte, 0, 921600));
  EXPECT_TRUE(all_bytes(s, 0, 921600, s.size()));
}

TEST_F(FramePumpTest, SampleSmallerThanThePlaceholderGetsItsFirstBytes) {
  connect(640, 480);
  pump_.active();
  FakeSample s(1000);
  pump_.fill_buffer(s);
  EXPECT_TRUE(is_placeholder(s));
}

TEST_F(FramePumpTest, SampleTooSmallForTheOutputGetsThePlaceholderInsteadOfAScaledPicture) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  FakeSample s(921599);
  pump_.fill_buffer(s);
  EXPECT_TRUE(is_placeholder(s));
}

TEST_F(FramePumpTest, SampleWithoutABufferIsStillStamped) {
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  FakeSample s(0);
  pump_.fill_buffer(s);
  EXPECT_EQ(s.stop, 666666);
  EXPECT_TRUE(s.sync);
}

TEST_F(FramePumpTest, UnallocatablePlaceholderGivesBlack) {
  memory_.refuse.insert(921600);
  connect(640, 480);
  EXPECT_EQ(pump_.inspect().placeholder_size, 0u);
  pump_.active();
  FakeSample s = fill();
  EXPECT_TRUE(all_bytes(s, 0, 0, s.size()));
}

TEST_F(FramePumpTest, FailedPlaceholderBuildLeavesBlackWhereItStopped) {
  placeholder_.fail = true;
  connect(640, 480);
  pump_.active();
  FakeSample s = fill();
  EXPECT_TRUE(all_bytes(s, FakePlaceholder::kByte, 0, 921600 / 2));
  EXPECT_TRUE(all_bytes(s, 0, 921600 / 2, 921600));
}

TEST_F(FramePumpTest, UnallocatableStagingGivesThePlaceholderAndIsRetried) {
  memory_.refuse.insert(1228800);
  connect(640, 480);
  pump_.active();
  publish(640, 480, kRed, 1);
  FakeSample refused = fill();
  EXPECT_TRUE(is_placeholder(refused));
  EXPECT_TRUE(source_.requests.empty());
  memory_.refuse.clear();
  FakeSample later = fill();
  EXPECT_TRUE(all_colour(later, kRed, sample_size_));
}

TEST_F(FramePumpTest, UnallocatableWorkPictureScalesStraightToTheOutput) {
  memory_.refuse.insert(3686400);
  connect(1280, 720);
  EXPECT_EQ(pump_.inspect().work_width, 0);
  pump_.active();
  publish(800, 600, kRed, 1);
  FakeSample s = fill();
  EXPECT_TRUE(all_colour(s, kRed, sample_size_));
}

TEST_F(FramePumpTest, AbsurdOutputSizesPrepareNothing) {
  pump_.set_media_type(INT_MAX, INT_MIN);
  EXPECT_EQ(pump_.inspect().out_size, 0u);
  EXPECT_EQ(pump_.inspect().placeholder_size, 0u);
  pump_.active();
  FakeSample s(64);
  pump_.fill_buffer(s);
  EXPECT_TRUE(all_bytes(s, 0, 0, 64));
}

}  // namespace
}  // namespace vcam::camera
