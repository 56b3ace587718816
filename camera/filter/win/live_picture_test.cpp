// Published pictures through the camera in the system graph: the test
// pattern at every offered size, and the fall-backs to the placeholder when
// the publisher freezes its stamp or withdraws its picture, and back when it
// resumes or a new publisher appears. The stale interval is the camera's own
// 2 s of real time here; the pump tests move it with an injected clock.
#include <windows.h>
#include <dshow.h>
#include <mmsystem.h>
#include <qedit.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "camera/channel/win/frame_channel.h"
#include "camera/dshow/testing/grabber_callback.h"
#include "camera/filter/win/testing/camera_graph.h"
#include "camera/pump/picture_geometry.h"
#include "tools/publisher/pattern_check.h"
#include "tools/publisher/test_pattern.h"
#include "tools/publisher/win/frame_publisher.h"

namespace vcam::camera {
namespace {

using testing::CameraGraphFixture;
using testing::kGraphWaitMs;
using testing::poll_until;
using testing::PublisherProcess;

struct OutputSize {
  std::int32_t w, h;
  bool cropped;  // exact 16:9: made through the 4:3 work picture, an eighth cut at top and bottom
};

std::string size_name(const OutputSize& s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

// Every size the pin offers; 800 x 448 and 960 x 544 are not exactly 16:9
// and are scaled directly.
constexpr OutputSize kOffered[] = {{640, 480, false}, {800, 600, false},  {480, 360, false}, {320, 240, false},
                                   {160, 120, false}, {640, 360, true},   {800, 448, false}, {960, 544, false},
                                   {1280, 720, true}, {1920, 1080, true}};

// A publisher that froze its stamp after one picture makes every newly
// started stream deliver that picture for its first 2 s: a known picture,
// number and all, to compare the samples with.
class LivePicture : public CameraGraphFixture, public ::testing::WithParamInterface<OutputSize> {
 protected:
  static void SetUpTestSuite() {
    publisher_ = std::make_unique<PublisherProcess>();
    started_ = publisher_->Start(L"--size 800x600 --first-number 77 --freeze-after-frames 1");
  }
  static void TearDownTestSuite() { publisher_.reset(); }

  static constexpr std::uint32_t kNumber = 77;
  static inline std::unique_ptr<PublisherProcess> publisher_;
  static inline bool started_ = false;
};

TEST_P(LivePicture, ArrivesUprightWithTheColourBarsAndCornerMarkers) {
  ASSERT_TRUE(started_);
  const OutputSize c = GetParam();
  recorder_.KeepData();
  ASSERT_EQ(ChooseSize(c.w, c.h), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(2, kGraphWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const double top = c.cropped ? 0.125 : 0.0, bottom = c.cropped ? 0.875 : 1.0;
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE("sample " + std::to_string(i));
    const std::vector<std::uint8_t> sample = recorder_.Data(i);
    ASSERT_EQ(sample.size(), dib_stride24(c.w) * static_cast<size_t>(c.h));
    const auto picture = publisher::check_pattern_picture(sample.data(), c.w, c.h, 800, 600, kNumber, top, bottom);
    EXPECT_TRUE(picture.ok()) << picture.checked << " points, " << picture.mismatched << " off: " << picture.report;
    const auto corners = publisher::check_pattern_corners(sample.data(), c.w, c.h, top, bottom);
    EXPECT_TRUE(corners.ok()) << corners.report;
  }
}

INSTANTIATE_TEST_SUITE_P(OfferedSizes, LivePicture, ::testing::ValuesIn(kOffered),
                         [](const auto& info) { return size_name(info.param); });

class LivePictureBottomUp : public CameraGraphFixture {};

TEST_F(LivePictureBottomUp, BottomRowFirstPublisherArrivesUprightToo) {
  PublisherProcess publisher;
  ASSERT_TRUE(publisher.Start(L"--size 640x480 --bottom-up --first-number 5 --freeze-after-frames 1"));
  recorder_.KeepData();
  ASSERT_EQ(ChooseSize(1280, 720), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(1, kGraphWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const std::vector<std::uint8_t> sample = recorder_.Data(0);
  ASSERT_EQ(sample.size(), 1280u * 720 * 3);
  const auto picture = publisher::check_pattern_picture(sample.data(), 1280, 720, 640, 480, 5, 0.125, 0.875);
  EXPECT_TRUE(picture.ok()) << picture.report;
  EXPECT_TRUE(publisher::check_pattern_corners(sample.data(), 1280, 720, 0.125, 0.875).ok());
}

std::uint64_t fnv1a64(const std::uint8_t* data, size_t size) {
  std::uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
  return hash;
}

// What each 640 x 480 sample showed and when it arrived; no pixels are kept,
// so a run of several seconds stays small.
class PictureLog : public dshow::testing::GrabberCallback {
 public:
  struct Entry {
    DWORD tick = 0;           // timeGetTime at arrival
    std::uint64_t hash = 0;   // of the whole picture
    bool pattern = false;     // the test pattern's corner markers, upright
  };

  STDMETHODIMP SampleCB(double, IMediaSample* sample) override {
    Entry e;
    e.tick = ::timeGetTime();
    BYTE* data = nullptr;
    const long length = sample->GetActualDataLength();
    if (SUCCEEDED(sample->GetPointer(&data)) && data && length == kWidth * kHeight * 3) {
      e.hash = fnv1a64(data, static_cast<size_t>(length));
      e.pattern = publisher::check_pattern_corners(data, kWidth, kHeight).ok();
    }
    std::lock_guard lock(lock_);
    entries_.push_back(e);
    return S_OK;
  }

  std::vector<Entry> Entries() {
    std::lock_guard lock(lock_);
    return entries_;
  }
  size_t Count() { return Entries().size(); }

  static constexpr std::int32_t kWidth = 640, kHeight = 480;

 private:
  std::mutex lock_;
  std::vector<Entry> entries_;
};

// Samples filled just before a change may arrive a little after it; entries
// this close to a change are not judged.
constexpr DWORD kSlackMs = 250;
constexpr DWORD kStaleMs = 2000;

// The entries that arrived in [from, to) of the tick clock.
std::vector<PictureLog::Entry> between(const std::vector<PictureLog::Entry>& entries, DWORD from, DWORD to) {
  std::vector<PictureLog::Entry> out;
  for (const auto& e : entries)
    if (static_cast<LONG>(e.tick - from) >= 0 && static_cast<LONG>(e.tick - to) < 0) out.push_back(e);
  return out;
}

std::string describe(const std::vector<PictureLog::Entry>& entries, DWORD origin, std::uint64_t placeholder) {
  std::string text;
  for (const auto& e : entries) {
    char line[64];
    std::snprintf(line, sizeof line, "%+ld ms %s\n", static_cast<long>(e.tick - origin),
                  e.hash == placeholder ? "placeholder" : (e.pattern ? "pattern" : "other"));
    text += line;
  }
  return text;
}

// Follows the frame stamp until it has not changed for `still_ms`; the tick of
// its last change, or 0 when it kept changing for 20 s.
DWORD last_stamp_change(const FrameChannel& channel, DWORD still_ms) {
  std::uint64_t stamp = channel.stamp();
  DWORD changed = ::timeGetTime();
  const DWORD begin = changed;
  for (;;) {
    const DWORD now = ::timeGetTime();
    const std::uint64_t s = channel.stamp();
    if (s != stamp) {
      stamp = s;
      changed = now;
    } else if (now - changed >= still_ms) {
      return changed;
    }
    if (now - begin > kGraphWaitMs) return 0;
    ::Sleep(1);
  }
}

// The camera at 640 x 480 from a channel with nothing published: the first
// samples are the placeholder every later sample is compared with.
class LivePictureFallback : public CameraGraphFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CameraGraphFixture::SetUp());
    ASSERT_TRUE(channel_.open());
    ASSERT_EQ(channel_.width(), 0) << "a picture is published already";
    ASSERT_EQ(UseCallback(&log_), S_OK);
    ASSERT_EQ(ConnectCamera(), S_OK);
    ASSERT_TRUE(SUCCEEDED(control_->Run()));
    ASSERT_TRUE(poll_until([&] { return log_.Count() >= 2; }));
    const auto first = log_.Entries();
    placeholder_ = first[0].hash;
    ASSERT_EQ(first[1].hash, placeholder_);
    ASSERT_FALSE(first[0].pattern);
  }

  // Publishes pattern pictures with a new stamp every 1/15 s for `ms`, as the
  // companion application does; returns the tick taken just before the last
  // new stamp was written, so no reader can have seen it earlier.
  DWORD Publish(publisher::FramePublisher& feed, DWORD ms) {
    const DWORD begin = ::timeGetTime();
    DWORD last = begin;
    for (DWORD frame = 0;; ++frame) {
      last = ::timeGetTime();
      EXPECT_TRUE(feed.publish(pixels_.data(), 640, 480, ++stamp_));
      const DWORD due = begin + (frame + 1) * 1000 / 15;
      if (due - begin >= ms) return last;
      const LONG wait = static_cast<LONG>(due - ::timeGetTime());
      if (wait > 0) ::Sleep(static_cast<DWORD>(wait));
    }
  }
  bool DrawPattern() {
    pixels_.resize(640u * 480 * 4);
    return publisher::draw_test_pattern(pixels_.data(), pixels_.size(), 640, 480, 3);
  }
  bool AllPlaceholder(const std::vector<PictureLog::Entry>& entries) const {
    for (const auto& e : entries)
      if (e.hash != placeholder_) return false;
    return !entries.empty();
  }
  static bool AllPattern(const std::vector<PictureLog::Entry>& entries) {
    for (const auto& e : entries)
      if (!e.pattern) return false;
    return !entries.empty();
  }

  FrameChannel channel_;
  PictureLog log_;
  std::uint64_t placeholder_ = 0;
  std::vector<std::uint8_t> pixels_;
  std::uint64_t stamp_ = 0x5EED0000;
};

TEST_F(LivePictureFallback, FrozenStampGivesThePlaceholderAfterTwoSecondsAndANewPublisherEndsIt) {
  const DWORD publisher_started = ::timeGetTime();
  PublisherProcess frozen;
  ASSERT_TRUE(frozen.Start(L"--size 800x600 --freeze-after-frames 10"));
  const DWORD live = ::timeGetTime();
  // Stands still for longer than the stale interval, with room to see the
  // placeholder settle.
  const DWORD frozen_at = last_stamp_change(channel_, kStaleMs + 800);
  ASSERT_NE(frozen_at, 0u) << "the stamp never stood still";
  PublisherProcess fresh;
  const DWORD fresh_started = ::timeGetTime();
  ASSERT_TRUE(fresh.Start(L"--size 800x600"));
  const DWORD live_again = ::timeGetTime();
  const size_t count = log_.Count();
  ASSERT_TRUE(poll_until([&] { return log_.Count() >= count + 8; }));
  ASSERT_EQ(control_->Stop(), S_OK);

  const auto entries = log_.Entries();
  SCOPED_TRACE("relative to the freeze:\n" + describe(entries, frozen_at, placeholder_));
  EXPECT_TRUE(AllPlaceholder(between(entries, entries[0].tick, publisher_started)));
  const auto before_freeze = between(entries, live + kSlackMs, frozen_at + kStaleMs - kSlackMs);
  EXPECT_TRUE(AllPattern(before_freeze)) << "live until the stale interval ends";
  EXPECT_GE(before_freeze.size(), 15u);

  // The held picture is delivered again unchanged until it goes stale.
  const auto held = between(entries, frozen_at + kSlackMs, frozen_at + kStaleMs - kSlackMs);
  ASSERT_FALSE(held.empty());
  for (const auto& e : held) EXPECT_EQ(e.hash, held[0].hash);

  const PictureLog::Entry* back = nullptr;
  for (const auto& e : between(entries, live, fresh_started))
    if (e.hash == placeholder_) {
      back = &e;
      break;
    }
  ASSERT_NE(back, nullptr) << "the placeholder never came back";
  // The camera saw the last stamp no earlier than the test did, give or take
  // the test's polling; it switches at the first sample 2 s after that.
  const LONG switched = static_cast<LONG>(back->tick - frozen_at);
  EXPECT_GE(switched, static_cast<LONG>(kStaleMs) - 50);
  EXPECT_LE(switched, static_cast<LONG>(kStaleMs + 500));
  EXPECT_TRUE(AllPlaceholder(between(entries, back->tick, fresh_started)));
  const auto after = between(entries, live_again + kSlackMs, ::timeGetTime());
  EXPECT_TRUE(AllPattern(after)) << "a new publisher is live again";
  EXPECT_GE(after.size(), 3u);
}

TEST_F(LivePictureFallback, ResumingPublisherIsLiveAgainAfterTheFallBack) {
  publisher::FramePublisher feed;
  ASSERT_TRUE(feed.open());
  ASSERT_TRUE(DrawPattern());
  const DWORD live = ::timeGetTime();
  const DWORD frozen_at = Publish(feed, 500);
  ::Sleep(kStaleMs + 500);  // the camera's own interval, not one the test could move
  const DWORD resumed = ::timeGetTime();
  Publish(feed, 600);
  ASSERT_EQ(control_->Stop(), S_OK);

  const auto entries = log_.Entries();
  SCOPED_TRACE("relative to the freeze:\n" + describe(entries, frozen_at, placeholder_));
  EXPECT_TRUE(AllPattern(between(entries, live + kSlackMs, frozen_at + kStaleMs)));
  // The last new stamp was written at frozen_at exactly, so every sample that
  // arrived before 2 s had passed was still live (above).
  const auto stale = between(entries, frozen_at + kStaleMs + kSlackMs, resumed);
  EXPECT_TRUE(AllPlaceholder(stale));
  EXPECT_GE(stale.size(), 3u);
  const auto again = between(entries, resumed + kSlackMs, ::timeGetTime());
  EXPECT_TRUE(AllPattern(again));
  EXPECT_GE(again.size(), 3u);
}

TEST_F(LivePictureFallback, WithdrawnPictureGivesThePlaceholderAtOnceUntilTheNextPicture) {
  publisher::FramePublisher feed;
  ASSERT_TRUE(feed.open());
  ASSERT_TRUE(DrawPattern());
  const DWORD live = ::timeGetTime();
  Publish(feed, 500);
  const DWORD withdrawn = ::timeGetTime();
  ASSERT_TRUE(feed.withdraw());
  ::Sleep(600);
  const DWORD published = ::timeGetTime();
  Publish(feed, 500);
  ASSERT_EQ(control_->Stop(), S_OK);

  const auto entries = log_.Entries();
  SCOPED_TRACE("relative to the withdrawal:\n" + describe(entries, withdrawn, placeholder_));
  EXPECT_TRUE(AllPattern(between(entries, live + kSlackMs, withdrawn)));
  const auto gone = between(entries, withdrawn + kSlackMs, published);
  EXPECT_TRUE(AllPlaceholder(gone)) << "far sooner than the stale interval";
  EXPECT_GE(gone.size(), 3u);
  EXPECT_TRUE(AllPattern(between(entries, published + kSlackMs, ::timeGetTime())));
}

}  // namespace
}  // namespace vcam::camera
