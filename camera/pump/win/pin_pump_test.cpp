// The pump on Windows: a real media sample from the system's memory allocator,
// the real frame channel fed by the test publisher in another process, and
// the GDI placeholder.
#include "camera/pump/win/pin_pump.h"

#include <windows.h>

#include <strmif.h>
#include <uuids.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "camera/channel/win/channel_test_support.h"
#include "camera/pump/picture_geometry.h"
#include "camera/pump/pump_fakes.h"
#include "tools/publisher/pattern_check.h"

namespace vcam::camera {
namespace {

using Microsoft::WRL::ComPtr;
using testing::FakeClock;
using testing::FakeCompanion;
using testing::FakeSample;
using testing::Process;
using testing::test_names;
using testing::test_suffix;

std::vector<std::uint8_t> gdi_placeholder(std::int32_t w, std::int32_t h) {
  std::vector<std::uint8_t> p(dib_stride24(w) * h);
  GdiPlaceholderBuilder builder;
  EXPECT_TRUE(builder.build(w, h, p.data(), p.size()));
  return p;
}

TEST(PinPump, FillsAMediaSampleFromTheSystemAllocator) {
  ComPtr<IMemAllocator> allocator;
  ASSERT_EQ(::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator)),
            S_OK);
  ALLOCATOR_PROPERTIES want{1, 921600, 1, 0}, got{};
  ASSERT_EQ(allocator->SetProperties(&want, &got), S_OK);
  ASSERT_EQ(allocator->Commit(), S_OK);
  ComPtr<IMediaSample> sample;
  ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
  BYTE* data = nullptr;
  ASSERT_EQ(sample->GetPointer(&data), S_OK);
  std::memset(data, 0xEE, 921600);

  FakeCompanion companion;
  PinPump pin(companion, test_names(kFrameChannelNames, test_suffix(u"pin")));
  EXPECT_TRUE(pin.channel().is_open());
  pin.pump().set_media_type(640, 480);
  EXPECT_EQ(companion.starts, 1);
  pin.pump().active();
  EXPECT_EQ(pin.fill_buffer(sample.Get()), S_OK);

  REFERENCE_TIME start = -1, stop = -1;
  EXPECT_EQ(sample->GetTime(&start, &stop), S_OK);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(stop, 666666);
  LONGLONG media_start = -1, media_stop = -1;
  EXPECT_EQ(sample->GetMediaTime(&media_start, &media_stop), S_OK);
  EXPECT_EQ(media_start, 0);
  EXPECT_EQ(media_stop, 1);
  EXPECT_EQ(sample->IsSyncPoint(), S_OK);
  EXPECT_EQ(sample->IsDiscontinuity(), S_FALSE);
  EXPECT_EQ(sample->IsPreroll(), S_FALSE);
  // Nothing is published on this channel: the sample is the placeholder.
  const std::vector<std::uint8_t> placeholder = gdi_placeholder(640, 480);
  EXPECT_EQ(0, std::memcmp(data, placeholder.data(), placeholder.size()));

  EXPECT_EQ(pin.fill_buffer(sample.Get()), S_OK);
  EXPECT_EQ(sample->GetTime(&start, &stop), S_OK);
  EXPECT_EQ(start, 666666);
  EXPECT_EQ(stop, 1333332);
  allocator->Decommit();
}

TEST(PinPump, NullSampleIsRefused) {
  FakeCompanion companion;
  PinPump pin(companion, test_names(kFrameChannelNames, test_suffix(u"pin-null")));
  pin.pump().set_media_type(640, 480);
  EXPECT_EQ(pin.fill_buffer(nullptr), E_POINTER);
}

// The pump over the real channel, with the publisher in its own process and a
// fake clock so that no sample waits for its due time.
class PublishedPicture : public ::testing::Test {
 protected:
  void start_publisher(const std::wstring& options) {
    publisher_ = std::make_unique<Process>(L"vcam_publisher.exe",
                                           L"--quiet --names-suffix " + std::wstring(wide(suffix_)) + L" " + options);
    ASSERT_TRUE(*publisher_);
  }
  // Polls the header until `ready` holds or the publisher has had 20 s.
  template <typename Ready>
  bool wait_for(Ready ready) {
    for (int i = 0; i < 2000; ++i) {
      if (ready()) return true;
      ::Sleep(10);
    }
    return false;
  }
  FakeSample fill(std::int32_t w, std::int32_t h) {
    FakeSample s(dib_stride24(w) * h);
    pump_.fill_buffer(s);
    return s;
  }

  const std::u16string suffix_ = test_suffix(u"published");
  FrameChannel channel_{test_names(kFrameChannelNames, suffix_)};
  FakeClock clock_;
  GdiPlaceholderBuilder placeholder_;
  FakeCompanion companion_;
  FramePump pump_{channel_, clock_, placeholder_, companion_};
  std::unique_ptr<Process> publisher_;
};

struct Case {
  std::int32_t w, h;
  bool cropped;
};
constexpr Case kOffered[10] = {{640, 480, false},  {800, 600, false}, {480, 360, false}, {320, 240, false},
                               {160, 120, false},  {640, 360, true},  {800, 448, false}, {960, 544, false},
                               {1280, 720, true}, {1920, 1080, true}};

TEST_F(PublishedPicture, ArrivesUprightWithItsColoursAndCornersAtEveryOfferedSize) {
  ASSERT_TRUE(channel_.open());
  start_publisher(L"--size 800x600 --first-number 321 --freeze-after-frames 1");
  ASSERT_TRUE(wait_for([&] { return channel_.width() == 800 && channel_.stamp() != 0; }));
  for (const Case& c : kOffered) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    pump_.set_media_type(c.w, c.h);
    pump_.active();
    FakeSample s = fill(c.w, c.h);
    const double top = c.cropped ? 0.125 : 0.0, bottom = c.cropped ? 0.875 : 1.0;
    const auto picture = publisher::check_pattern_picture(s.data(), c.w, c.h, 800, 600, 321, top, bottom);
    EXPECT_TRUE(picture.ok()) << picture.checked << " points, " << picture.mismatched << " off: " << picture.report;
    const auto corners = publisher::check_pattern_corners(s.data(), c.w, c.h, top, bottom);
    EXPECT_TRUE(corners.ok()) << corners.report;
  }
}

TEST_F(PublishedPicture, BottomUpPublisherArrivesUprightToo) {
  ASSERT_TRUE(channel_.open());
  start_publisher(L"--size 640x480 --bottom-up --first-number 5 --freeze-after-frames 1");
  ASSERT_TRUE(wait_for([&] { return channel_.height() == -480 && channel_.stamp() != 0; }));
  pump_.set_media_type(1280, 720);
  pump_.active();
  FakeSample s = fill(1280, 720);
  const auto picture = publisher::check_pattern_picture(s.data(), 1280, 720, 640, 480, 5, 0.125, 0.875);
  EXPECT_TRUE(picture.ok()) << picture.report;
  EXPECT_TRUE(publisher::check_pattern_corners(s.data(), 1280, 720, 0.125, 0.875).ok());
}

TEST_F(PublishedPicture, FrozenStampFallsBackToThePlaceholderAfterTheStaleInterval) {
  ASSERT_TRUE(channel_.open());
  start_publisher(L"--size 800x600 --first-number 9 --freeze-after-frames 1");
  ASSERT_TRUE(wait_for([&] { return channel_.width() == 800 && channel_.stamp() != 0; }));
  pump_.set_media_type(640, 480);
  pump_.active();
  FakeSample live = fill(640, 480);
  EXPECT_TRUE(publisher::check_pattern_corners(live.data(), 640, 480).ok());
  clock_.tick += 1999;
  FakeSample still = fill(640, 480);
  EXPECT_TRUE(publisher::check_pattern_corners(still.data(), 640, 480).ok());
  clock_.tick += 1;
  FakeSample stale = fill(640, 480);
  const std::vector<std::uint8_t> placeholder = gdi_placeholder(640, 480);
  EXPECT_EQ(0, std::memcmp(stale.data(), placeholder.data(), placeholder.size()));
}

TEST_F(PublishedPicture, WithdrawnPictureGivesThePlaceholderAtOnce) {
  ASSERT_TRUE(channel_.open());
  start_publisher(L"--size 800x600 --withdraw-after-frames 3");
  ASSERT_TRUE(wait_for([&] { return channel_.width() == 800; }));
  ASSERT_TRUE(wait_for([&] { return channel_.width() == 0; }));
  pump_.set_media_type(320, 240);
  pump_.active();
  FakeSample s = fill(320, 240);
  const std::vector<std::uint8_t> placeholder = gdi_placeholder(320, 240);
  EXPECT_EQ(0, std::memcmp(s.data(), placeholder.data(), placeholder.size()));
}

TEST_F(PublishedPicture, MovingPictureKeepsArrivingWithNewNumbers) {
  ASSERT_TRUE(channel_.open());
  start_publisher(L"--size 800x600 --fps 30");
  ASSERT_TRUE(wait_for([&] { return channel_.width() == 800; }));
  pump_.set_media_type(800, 600);
  pump_.active();
  // Every sample shows an upright pattern; the digits change between pictures.
  FakeSample first = fill(800, 600);
  EXPECT_TRUE(publisher::check_pattern_corners(first.data(), 800, 600).ok());
  const std::uint64_t stamp = channel_.stamp();
  ASSERT_TRUE(wait_for([&] { return channel_.stamp() != stamp; }));
  FakeSample second = fill(800, 600);
  EXPECT_TRUE(publisher::check_pattern_corners(second.data(), 800, 600).ok());
  EXPECT_NE(0, std::memcmp(first.data(), second.data(), first.size()));
}

}  // namespace
}  // namespace vcam::camera
