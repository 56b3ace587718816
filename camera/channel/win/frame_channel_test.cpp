// The frame channel on real kernel objects, with a second process where the
// behaviour depends on one.
#include "camera/channel/win/frame_channel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "camera/channel/frame_header.h"
#include "camera/channel/win/channel_test_support.h"

namespace vcam::camera {
namespace {

using testing::NamedEvent;
using testing::Process;
using testing::RawView;
using testing::test_names;
using testing::test_suffix;

void write_header(std::uint8_t* view, std::int32_t w, std::int32_t h, std::uint64_t stamp) {
  std::memcpy(view + kFrameWidthOffset, &w, 4);
  std::memcpy(view + kFrameHeightOffset, &h, 4);
  std::memcpy(view + kFrameStampOffset, &stamp, 8);
}

TEST(FrameChannel, FreshRegionIsZeroFilledAndReadsWidthZero) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"fresh"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  EXPECT_EQ(channel.width(), 0);
  EXPECT_EQ(channel.height(), 0);
  EXPECT_EQ(channel.stamp(), 0u);
  RawView raw(names.region, kFrameRegionSize);
  ASSERT_TRUE(raw);
  EXPECT_TRUE(raw.all_zero());
}

TEST(FrameChannel, UnopenedChannelReadsZeroAndNeverCopies) {
  FrameChannel channel(test_names(kFrameChannelNames, test_suffix(u"closed")));
  EXPECT_EQ(channel.width(), 0);
  EXPECT_EQ(channel.stamp(), 0u);
  std::vector<std::uint8_t> dst(16, 0xAB);
  EXPECT_FALSE(channel.copyPixels(dst.data(), dst.size()));
  EXPECT_EQ(dst[0], 0xAB);
}

TEST(FrameChannel, OpenIsIdempotentAndCloseForgetsTheRegion) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"idem"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  RawView raw(names.region, kFrameRegionSize);
  write_header(raw.bytes(), 640, 480, 9);
  EXPECT_TRUE(channel.open());
  EXPECT_EQ(channel.width(), 640) << "a second open neither remaps nor zeroes";
  channel.close();
  EXPECT_FALSE(channel.is_open());
  EXPECT_EQ(channel.width(), 0);
}

TEST(FrameChannel, ReadsTheHeaderAndCopiesPixelsFromOffset24) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"read"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  RawView raw(names.region, kFrameRegionSize);
  ASSERT_TRUE(raw);
  write_header(raw.bytes(), 800, -600, 0x1122334455667788ull);
  for (std::size_t i = 0; i < kFramePixelAreaSize; ++i) raw.bytes()[kFrameHeaderSize + i] = static_cast<std::uint8_t>(i * 7);
  EXPECT_EQ(channel.width(), 800);
  EXPECT_EQ(channel.height(), -600);
  EXPECT_EQ(channel.stamp(), 0x1122334455667788ull);
  std::vector<std::uint8_t> dst(kFramePixelAreaSize);
  ASSERT_TRUE(channel.copyPixels(dst.data(), dst.size()));
  EXPECT_EQ(0, std::memcmp(dst.data(), raw.bytes() + kFrameHeaderSize, dst.size()));
}

TEST(FrameChannel, CopyPixelsRefusesMoreThanThePixelArea) {
  FrameChannel channel(test_names(kFrameChannelNames, test_suffix(u"big")));
  ASSERT_TRUE(channel.open());
  std::vector<std::uint8_t> dst(kFramePixelAreaSize + 1, 0xAB);
  EXPECT_FALSE(channel.copyPixels(dst.data(), dst.size()));
  EXPECT_EQ(dst[0], 0xAB);
}

TEST(FrameChannel, ExistingRegionIsNotZeroedByALaterOpener) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"later"));
  FrameChannel first(names);
  ASSERT_TRUE(first.open());
  RawView raw(names.region, kFrameRegionSize);
  write_header(raw.bytes(), 320, 240, 5);
  FrameChannel second(names);
  ASSERT_TRUE(second.open());
  EXPECT_EQ(second.width(), 320);
  EXPECT_EQ(second.stamp(), 5u);
}

TEST(FrameChannel, ExistingRegionSmallerThanTheLayoutIsRefused) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"small"));
  UniqueHandle small(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, wide(names.region)));
  ASSERT_TRUE(small);
  FrameChannel channel(names);
  EXPECT_FALSE(channel.open());
  EXPECT_EQ(channel.width(), 0);
}

TEST(FrameChannel, MutexHeldByAnotherProcessMakesCopyPixelsSkipAfter100ms) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"busy"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  RawView raw(names.region, kFrameRegionSize);
  std::memset(raw.bytes() + kFrameHeaderSize, 0x42, 64);

  NamedEvent held(u"held"), release(u"release");
  Process peer(L"channel_peer.exe", L"hold " + std::wstring(wide(names.mutex)) + L" " + held.name() + L" " + release.name());
  ASSERT_TRUE(peer);
  ASSERT_TRUE(held.wait(20000));

  std::vector<std::uint8_t> dst(64, 0xAB);
  const ULONGLONG before = ::GetTickCount64();
  EXPECT_FALSE(channel.copyPixels(dst.data(), dst.size()));
  const ULONGLONG waited = ::GetTickCount64() - before;
  EXPECT_EQ(dst, std::vector<std::uint8_t>(64, 0xAB)) << "the destination keeps its contents";
  EXPECT_GE(waited, 80u);
  EXPECT_LT(waited, 1500u) << "the wait is bounded at 100 ms";

  release.set();
  EXPECT_EQ(peer.wait(20000), 0);
  EXPECT_TRUE(channel.copyPixels(dst.data(), dst.size()));
  EXPECT_EQ(dst, std::vector<std::uint8_t>(64, 0x42));
}

TEST(FrameChannel, MutexAbandonedByADeadProcessCountsAsAcquired) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"abandon"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  NamedEvent held(u"abandon-held");
  Process peer(L"channel_peer.exe", L"abandon " + std::wstring(wide(names.mutex)) + L" " + held.name());
  ASSERT_TRUE(peer);
  ASSERT_EQ(peer.wait(20000), 0);
  std::vector<std::uint8_t> dst(8, 0xAB);
  EXPECT_TRUE(channel.copyPixels(dst.data(), dst.size()));
  EXPECT_EQ(dst, std::vector<std::uint8_t>(8, 0));
}

TEST(FrameChannel, OpenFailsWhileTheMutexIsHeldAndSucceedsLater) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"openbusy"));
  NamedEvent held(u"openbusy-held"), release(u"openbusy-release");
  Process peer(L"channel_peer.exe", L"hold " + std::wstring(wide(names.mutex)) + L" " + held.name() + L" " + release.name());
  ASSERT_TRUE(peer);
  ASSERT_TRUE(held.wait(20000));
  FrameChannel channel(names);
  EXPECT_FALSE(channel.open());
  EXPECT_EQ(channel.width(), 0);
  release.set();
  ASSERT_EQ(peer.wait(20000), 0);
  EXPECT_TRUE(channel.open());
}

TEST(FrameChannel, TheProductNamesOpen) {
  FrameChannel channel;
  ASSERT_TRUE(channel.open());
  RawView raw(kFrameChannelNames.region, kFrameRegionSize);
  EXPECT_TRUE(raw);
}

}  // namespace
}  // namespace vcam::camera
