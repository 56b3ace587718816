// The fast decoder against the plain reference: the same bytes and the same
// refusals on many generated pictures, valid and damaged.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "camera/decoder/decoder_test_support.h"
#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/reference_decoder.h"
#include "camera/decoder/synthetic_jpeg.h"

namespace vcam::camera {
namespace {

using testing::decode_into;
using testing::Outcome;
using Bytes = std::vector<std::uint8_t>;

constexpr std::pair<int, int> kSizes[] = {{16, 16}, {32, 16}, {16, 48}, {48, 48}, {64, 32},
                                          {128, 96}, {176, 144}, {320, 240}};

testing::SyntheticJpegOptions options_for(std::uint32_t seed) {
  std::mt19937 rng(seed);
  testing::SyntheticJpegOptions options;
  const auto [width, height] = kSizes[rng() % std::size(kSizes)];
  options.width = width;
  options.height = height;
  options.seed = seed;
  options.max_dc_size = static_cast<int>(rng() % 16);
  options.max_ac_size = 1 + static_cast<int>(rng() % 15);
  options.end_of_block_percent = 5 + static_cast<int>(rng() % 40);
  options.extra_segments = rng() % 2 == 0;
  options.escaped_bytes = rng() % 3 == 0;
  options.odd_end_symbols = rng() % 3 == 0;
  options.incomplete_codes = rng() % 3 == 0;
  return options;
}

std::string describe(const testing::SyntheticJpegOptions& o) {
  return "seed " + std::to_string(o.seed) + ", " + std::to_string(o.width) + "x" + std::to_string(o.height) +
         ", dc<=" + std::to_string(o.max_dc_size) + ", ac<=" + std::to_string(o.max_ac_size) +
         (o.extra_segments ? ", extra segments" : "") + (o.escaped_bytes ? ", escaped bytes" : "") +
         (o.odd_end_symbols ? ", odd end symbols" : "") + (o.incomplete_codes ? ", incomplete codes" : "");
}

// Same verdict; the same picture on success; an untouched destination on failure.
void expect_same_outcome(const Bytes& jpeg, const std::string& what, bool must_decode) {
  static Outcome fast;
  static Outcome reference;
  decode_into<PlaceholderDecoder>(fast, jpeg);
  decode_into<ReferenceDecoder>(reference, jpeg);
  ASSERT_EQ(fast.ok, reference.ok) << what;
  if (must_decode) {
    ASSERT_TRUE(fast.ok) << what;
  }
  if (fast.ok) {
    ASSERT_EQ(fast.width, reference.width) << what;
    ASSERT_EQ(fast.height, reference.height) << what;
    ASSERT_TRUE(fast.picture == reference.picture) << what;
  } else {
    ASSERT_TRUE(fast.untouched()) << what;
    ASSERT_TRUE(reference.untouched()) << what;
  }
}

TEST(DecoderEquality, GeneratedPicturesDecodeToTheSameBytes) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    const testing::SyntheticJpegOptions options = options_for(seed);
    expect_same_outcome(testing::make_synthetic_jpeg(options), describe(options), true);
    if (HasFatalFailure()) return;
  }
}

TEST(DecoderEquality, DamagedPicturesGetTheSameVerdictAndBytes) {
  std::mt19937 rng(77);
  int refused = 0;
  int decoded = 0;
  for (std::uint32_t seed = 1000; seed < 1600; ++seed) {
    testing::SyntheticJpegOptions options = options_for(seed);
    options.width = std::min(options.width, 64);
    options.height = std::min(options.height, 64);
    Bytes jpeg = testing::make_synthetic_jpeg(options);
    const std::size_t begin = testing::entropy_begin(jpeg);
    std::string what = describe(options);
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      // Mostly the entropy data, sometimes the header; a random byte, a
      // marker-like pair, or a cut.
      const bool in_data = rng() % 4 != 0 && begin < jpeg.size();
      const std::size_t from = in_data ? begin : 0;
      const std::size_t at = from + rng() % (jpeg.size() - from);
      switch (rng() % 4) {
        case 0:
          jpeg[at] = static_cast<std::uint8_t>(rng());
          break;
        case 1:
          jpeg[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
          break;
        case 2:
          jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(at), {0xFF, static_cast<std::uint8_t>(rng())});
          break;
        default:
          jpeg.resize(std::max<std::size_t>(at, 1));
          break;
      }
      what += ", edit at " + std::to_string(at);
    }
    expect_same_outcome(jpeg, what, false);
    if (HasFatalFailure()) return;
    static Outcome probe;
    decode_into<PlaceholderDecoder>(probe, jpeg);
    (probe.ok ? decoded : refused) += 1;
  }
  // Both kinds of verdict were compared, not just one.
  EXPECT_GT(refused, 100);
  EXPECT_GT(decoded, 50);
}

TEST(DecoderEquality, WrappingCoefficientsAndZeroQuantisersDecodeAlike) {
  // Largest magnitude categories with quantisers of 0 and 255: products wrap
  // at 32 bits and written coefficients can still be zero, the two cases
  // where the transform's shortcuts must follow the values exactly.
  std::mt19937 rng(5);
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    testing::SyntheticJpegOptions options;
    options.seed = seed;
    options.max_dc_size = 15;
    options.max_ac_size = 15;
    options.end_of_block_percent = 10;
    Bytes jpeg = testing::make_synthetic_jpeg(options);
    for (const testing::JpegSegment& segment : testing::list_segments(jpeg)) {
      if (segment.marker != 0xDB) continue;
      for (std::size_t at = segment.offset + 4; at + 65 <= segment.offset + 2 + segment.length; at += 65) {
        for (std::size_t k = 1; k <= 64; ++k) jpeg[at + k] = rng() % 3 == 0 ? 0 : 255;
      }
    }
    expect_same_outcome(jpeg, "seed " + std::to_string(seed), true);
    if (HasFatalFailure()) return;
  }
}

TEST(DecoderEquality, BuiltInPictureDecodesToTheSameBytes) {
  const auto picture = builtin_placeholder_jpeg();
  expect_same_outcome(Bytes(picture.begin(), picture.end()), "built-in picture", true);
}

}  // namespace
}  // namespace vcam::camera
