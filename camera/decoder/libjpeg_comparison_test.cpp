// The decoder against libjpeg-turbo (host only): the same pictures within
// rounding, and refusal of what libjpeg's encoder writes outside the subset.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "camera/decoder/decoder_test_support.h"
#include "camera/decoder/dib_stride.h"
#include "camera/decoder/libjpeg_codec.h"
#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/reference_decoder.h"

namespace vcam::camera {
namespace {

using testing::decode_with;
using testing::LibjpegSettings;
using testing::Outcome;
using Bytes = std::vector<std::uint8_t>;

// Smooth colour fields with edges and some grain: what a camera picture has.
Bytes scene(int width, int height, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> grain(0.0, 6.0);
  const double fx = 0.02 + (rng() % 50) / 1000.0;
  const double fy = 0.02 + (rng() % 50) / 1000.0;
  const int cx = static_cast<int>(rng() % static_cast<std::uint32_t>(width));
  const int cy = static_cast<int>(rng() % static_cast<std::uint32_t>(height));
  const int radius = 4 + static_cast<int>(rng() % static_cast<std::uint32_t>(std::max(width, height) / 2 + 1));
  Bytes rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool disc = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
      const double base[3] = {128 + 100 * std::sin(x * fx + y * fy), 128 + 90 * std::cos(y * fy * 1.3),
                              disc ? 230.0 : 40 + 0.2 * x};
      for (int c = 0; c < 3; ++c) {
        const double v = base[c] + grain(rng);
        rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3 +
            static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
      }
    }
  }
  return rgb;
}

struct Difference {
  double mean[3] = {};  // per channel, B G R
  int max = 0;
};

// Our bottom-up picture against libjpeg's top-down one.
Difference compare_with_libjpeg(const Bytes& jpeg, const Outcome& ours) {
  Bytes theirs;
  int width = 0;
  int height = 0;
  EXPECT_TRUE(testing::libjpeg_decode_bgr(jpeg.data(), jpeg.size(), theirs, width, height));
  EXPECT_EQ(width, ours.width);
  EXPECT_EQ(height, ours.height);
  Difference d;
  if (width != ours.width || height != ours.height) return d;
  const std::size_t stride = dib_stride24(width);
  double sums[3] = {};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* mine = ours.picture.data() + static_cast<std::size_t>(height - 1 - y) * stride;
    const std::uint8_t* other = theirs.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    for (int i = 0; i < width * 3; ++i) {
      const int diff = std::abs(mine[i] - other[i]);
      sums[i % 3] += diff;
      d.max = std::max(d.max, diff);
    }
  }
  for (int c = 0; c < 3; ++c) d.mean[c] = sums[c] / (static_cast<double>(width) * height);
  return d;
}

TEST(LibjpegComparison, BuiltInPictureMatchesLibjpegTurbo) {
  const auto picture = builtin_placeholder_jpeg();
  const Bytes jpeg(picture.begin(), picture.end());
  const Outcome ours = decode_with<PlaceholderDecoder>(jpeg);
  ASSERT_TRUE(ours.ok);
  const Difference d = compare_with_libjpeg(jpeg, ours);
  for (int c = 0; c < 3; ++c) EXPECT_LT(d.mean[c], 1.0) << "channel " << c;
  EXPECT_LE(d.max, 8);
  RecordProperty("mean_abs_diff_b", std::to_string(d.mean[0]));
  RecordProperty("mean_abs_diff_g", std::to_string(d.mean[1]));
  RecordProperty("mean_abs_diff_r", std::to_string(d.mean[2]));
  RecordProperty("max_abs_diff", d.max);
}

TEST(LibjpegComparison, LibjpegPicturesOfManySizesAndSettingsDecodeAlike) {
  constexpr std::pair<int, int> kSizes[] = {{16, 16}, {48, 32}, {32, 112}, {160, 128}, {320, 240}};
  std::uint32_t seed = 1;
  for (const auto& [width, height] : kSizes) {
    for (int quality : {5, 30, 75, 90, 100}) {
      for (bool optimize : {false, true}) {
        LibjpegSettings settings;
        settings.quality = quality;
        settings.optimize = optimize;
        const Bytes jpeg = testing::libjpeg_encode(scene(width, height, ++seed), width, height, settings);
        ASSERT_FALSE(jpeg.empty());
        const std::string what = std::to_string(width) + "x" + std::to_string(height) + " q" +
                                 std::to_string(quality) + (optimize ? " optimised" : "");
        const Outcome ours = decode_with<PlaceholderDecoder>(jpeg);
        ASSERT_TRUE(ours.ok) << what;
        const Difference d = compare_with_libjpeg(jpeg, ours);
        for (int c = 0; c < 3; ++c) EXPECT_LT(d.mean[c], 1.0) << what << " channel " << c;
        EXPECT_LE(d.max, 8) << what;
        const Outcome reference = decode_with<ReferenceDecoder>(jpeg);
        ASSERT_TRUE(reference.ok) << what;
        EXPECT_TRUE(reference.picture == ours.picture) << what;
      }
    }
  }
}

TEST(LibjpegComparison, EncoderOutputOutsideTheSubsetIsRefused) {
  const Bytes rgb = scene(64, 48, 99);
  auto refused = [&](const LibjpegSettings& settings, const std::string& what, int width = 64, int height = 48) {
    const Bytes pixels = width == 64 && height == 48 ? rgb : scene(width, height, 5);
    const Bytes jpeg = testing::libjpeg_encode(pixels, width, height, settings);
    ASSERT_FALSE(jpeg.empty()) << what << ": encoder failed";
    // libjpeg itself reads it: the refusal is ours, not a broken file.
    ASSERT_TRUE(testing::libjpeg_reads(jpeg.data(), jpeg.size())) << what;
    testing::expect_refused(jpeg, what);
  };

  LibjpegSettings accepted;
  ASSERT_TRUE(decode_with<PlaceholderDecoder>(testing::libjpeg_encode(rgb, 64, 48, accepted)).ok);

  LibjpegSettings s = accepted;
  s.progressive = true;
  refused(s, "progressive");
  s = accepted;
  s.luma_h = s.luma_v = 1;
  refused(s, "4:4:4");
  s = accepted;
  s.luma_v = 1;
  refused(s, "4:2:2");
  s = accepted;
  s.luma_h = 1;
  refused(s, "4:4:0");
  s = accepted;
  s.luma_h = 4;
  s.luma_v = 1;
  refused(s, "4:1:1");
  s = accepted;
  s.components = 1;
  refused(s, "grey-scale");
  s = accepted;
  s.components = 4;
  refused(s, "CMYK");
  s = accepted;
  s.rgb_colour_space = true;
  refused(s, "RGB components");
  s = accepted;
  s.restart_interval = 1;
  refused(s, "restart every unit");
  s = accepted;
  s.restart_interval = 100;  // longer than the picture: the DRI segment alone refuses it
  refused(s, "restart interval beyond the last unit");
  s = accepted;
  s.arithmetic = true;
  refused(s, "arithmetic coding");
  for (const auto& [width, height] : {std::pair{40, 32}, std::pair{32, 40}, std::pair{24, 24}, std::pair{8, 8},
                                      std::pair{1, 1}, std::pair{17, 16}, std::pair{16, 17}}) {
    refused(accepted, std::to_string(width) + "x" + std::to_string(height), width, height);
  }
}

}  // namespace
}  // namespace vcam::camera
