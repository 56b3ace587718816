#include "tools/outside/client/channel_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "camera/channel/frame_header.h"

namespace vcam::client {
namespace {

TEST(ChannelPictureSize, AWorkingSizePictureShrinksToTheLargestSixteenByNineThatFits) {
  const PictureSize s = channel_picture_size(kWorkingWidth, kWorkingHeight, camera::kFramePixelAreaSize);
  EXPECT_EQ(s.width, 912);
  EXPECT_EQ(s.height, 513);
  EXPECT_LE(camera::published_picture_bytes(s.width, s.height), camera::kFramePixelAreaSize);
  EXPECT_GT(camera::published_picture_bytes(s.width, s.height), 0u);
  // The next multiple of 16:9 would not fit.
  EXPECT_GT(928u * 522u * 4u, camera::kFramePixelAreaSize);
}

TEST(ChannelPictureSize, PicturesThatFitKeepTheirSize) {
  EXPECT_EQ(channel_picture_size(800, 600, camera::kFramePixelAreaSize).width, 800);
  EXPECT_EQ(channel_picture_size(800, 600, camera::kFramePixelAreaSize).height, 600);
  EXPECT_EQ(channel_picture_size(1, 1, 4).width, 1);
}

TEST(ChannelPictureSize, CoprimeSizesScaleBothSidesAndStillFit) {
  const PictureSize s = channel_picture_size(1279, 719, camera::kFramePixelAreaSize);
  EXPECT_GT(s.width, 900);
  EXPECT_GT(s.height, 500);
  EXPECT_LE(static_cast<std::uint64_t>(s.width) * s.height * 4, camera::kFramePixelAreaSize);
}

TEST(ChannelPictureSize, NothingFitsInNothing) {
  EXPECT_EQ(channel_picture_size(1280, 720, 0).width, 0);
  EXPECT_EQ(channel_picture_size(1280, 720, 3).height, 0);
  EXPECT_EQ(channel_picture_size(0, 720, 1000).width, 0);
  EXPECT_EQ(channel_picture_size(-4, 720, 1000).width, 0);
}

TEST(PictureReducer, KeepsUniformAreasAndEdgesInPlace) {
  // Left half red, right half blue; the reduction keeps both colours exactly
  // away from the edge and puts the edge at the same fraction of the width.
  const std::int32_t sw = 1280, sh = 720, dw = 912, dh = 513;
  std::vector<std::uint8_t> src(static_cast<std::size_t>(sw) * sh * 4);
  for (std::int32_t y = 0; y < sh; ++y)
    for (std::int32_t x = 0; x < sw; ++x) {
      std::uint8_t* p = &src[(static_cast<std::size_t>(y) * sw + x) * 4];
      p[0] = x < sw / 2 ? 0 : 255;
      p[2] = x < sw / 2 ? 255 : 0;
    }
  std::vector<std::uint8_t> dst(static_cast<std::size_t>(dw) * dh * 4, 0xEE);
  PictureReducer r;
  ASSERT_TRUE(r.reduce(src.data(), sw, sh, dst.data(), dw, dh));
  auto at = [&](std::int32_t x, std::int32_t y) { return &dst[(static_cast<std::size_t>(y) * dw + x) * 4]; };
  for (std::int32_t y : {0, dh / 2, dh - 1}) {
    EXPECT_EQ(at(0, y)[2], 255);
    EXPECT_EQ(at(dw / 2 - 2, y)[2], 255);
    EXPECT_EQ(at(dw / 2 + 1, y)[0], 255);
    EXPECT_EQ(at(dw - 1, y)[0], 255);
    EXPECT_EQ(at(dw - 1, y)[3], 0);
  }
}

TEST(PictureReducer, RefusesEnlargingAndEmptySizes) {
  std::vector<std::uint8_t> a(16 * 16 * 4), b(32 * 32 * 4, 0x11);
  PictureReducer r;
  EXPECT_FALSE(r.reduce(a.data(), 16, 16, b.data(), 32, 32));
  EXPECT_FALSE(r.reduce(a.data(), 16, 16, b.data(), 0, 8));
  EXPECT_FALSE(r.reduce(nullptr, 16, 16, b.data(), 8, 8));
  for (std::uint8_t v : b) ASSERT_EQ(v, 0x11);
  // Same size copies; a single row and a single column work.
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 0 : i * 7);
  ASSERT_TRUE(r.reduce(a.data(), 16, 16, b.data(), 16, 16));
  EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin()));
  EXPECT_TRUE(r.reduce(a.data(), 16, 16, b.data(), 1, 1));
  EXPECT_TRUE(r.reduce(a.data(), 16, 1, b.data(), 3, 1));
}

}  // namespace
}  // namespace vcam::client
