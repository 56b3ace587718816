#include "tools/publisher/win/frame_publisher.h"

#include <gtest/gtest.h>

#include <vector>

#include "camera/channel/frame_header.h"
#include "camera/channel/win/channel_test_support.h"
#include "camera/channel/win/frame_channel.h"

namespace vcam::publisher {
namespace {

using camera::testing::test_names;
using camera::testing::test_suffix;

TEST(FramePublisher, ReadersSeeTheHeaderAndPixelsItWrites) {
  const camera::RegionNames names = test_names(camera::kFrameChannelNames, test_suffix(u"publisher"));
  FramePublisher publisher(names);
  ASSERT_TRUE(publisher.open());
  std::vector<std::uint8_t> pixels(320 * 240 * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 13);
  ASSERT_TRUE(publisher.publish(pixels.data(), 320, -240, 0xABCDEF0123ull));

  camera::FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  EXPECT_EQ(channel.width(), 320);
  EXPECT_EQ(channel.height(), -240);
  EXPECT_EQ(channel.stamp(), 0xABCDEF0123ull);
  std::vector<std::uint8_t> copy(pixels.size());
  ASSERT_TRUE(channel.copyPixels(copy.data(), copy.size()));
  EXPECT_EQ(copy, pixels);

  ASSERT_TRUE(publisher.withdraw());
  EXPECT_EQ(channel.width(), 0);
  EXPECT_EQ(channel.stamp(), 0xABCDEF0123ull);
}

TEST(FramePublisher, RefusesPicturesThatDoNotFit) {
  FramePublisher publisher(test_names(camera::kFrameChannelNames, test_suffix(u"publisher-big")));
  ASSERT_TRUE(publisher.open());
  std::vector<std::uint8_t> pixels(camera::kFramePixelAreaSize + 4);
  EXPECT_FALSE(publisher.publish(pixels.data(), 801, 600, 1));
  EXPECT_FALSE(publisher.publish(pixels.data(), 0, 600, 1));
  EXPECT_TRUE(publisher.publish(pixels.data(), 800, 600, 1));
}

}  // namespace
}  // namespace vcam::publisher
