#include "camera/channel/frame_header.h"

#include <gtest/gtest.h>

#include <climits>

#include "camera/channel/channel_names.h"

namespace vcam::camera {
namespace {

TEST(FrameHeader, RegionIsTheHeaderAndThePixelArea) {
  EXPECT_EQ(kFrameRegionSize, 1920024u);
  EXPECT_EQ(kFrameStampOffset, 16u);
  EXPECT_EQ(kListRegionSize, 4096u);
  EXPECT_EQ(kListCapacity, 2048u);
}

TEST(FrameHeader, PicturesThatFillTheAreaAreAccepted) {
  EXPECT_EQ(published_picture_bytes(800, 600), 1920000u);
  EXPECT_EQ(published_picture_bytes(960, 500), 1920000u);
  EXPECT_EQ(published_picture_bytes(800, -600), 1920000u) << "bottom-up rows count by magnitude";
  EXPECT_EQ(published_picture_bytes(1, 1), 4u);
  EXPECT_EQ(published_picture_bytes(480000, 1), 1920000u);
}

TEST(FrameHeader, WithdrawnOrDegenerateHeadersDescribeNothing) {
  EXPECT_EQ(published_picture_bytes(0, 480), 0u);
  EXPECT_EQ(published_picture_bytes(-640, 480), 0u);
  EXPECT_EQ(published_picture_bytes(640, 0), 0u);
  EXPECT_EQ(published_picture_bytes(INT_MIN, -1), 0u);
}

TEST(FrameHeader, PicturesLargerThanTheAreaDescribeNothing) {
  EXPECT_EQ(published_picture_bytes(801, 600), 0u);
  EXPECT_EQ(published_picture_bytes(800, -601), 0u);
  EXPECT_EQ(published_picture_bytes(480001, 1), 0u);
  // Products that wrap 32 bits must not come back small.
  EXPECT_EQ(published_picture_bytes(65536, 16384), 0u);  // 2^32 bytes
  EXPECT_EQ(published_picture_bytes(INT_MAX, INT_MAX), 0u);
  EXPECT_EQ(published_picture_bytes(1, INT_MIN), 0u);
  EXPECT_EQ(published_picture_bytes(INT_MAX, INT_MIN), 0u);
}

}  // namespace
}  // namespace vcam::camera
