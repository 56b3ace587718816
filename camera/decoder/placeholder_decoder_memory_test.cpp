// Every allocation that decoding the built-in picture makes, refused in turn:
// the decode reports a refusal, throws nothing and leaves the destination
// alone. The refusals come from the program's own operator new, which passes
// every allocation on to malloc until a test arms it.
#include "camera/decoder/placeholder_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "common/testing/allocation_watch.h"

namespace vcam::camera {
namespace {

constexpr std::uint8_t kSentinel = 0xA5;

using RefuseAllocation = vcam::testing::AllocationWatch;

TEST(PlaceholderDecoderMemory, EveryRefusedAllocationIsARefusalThatLeavesTheDestinationAlone) {
  const std::span<const std::uint8_t> jpeg = builtin_placeholder_jpeg();
  std::vector<std::uint8_t> dst(kPlaceholderDecodeBufferSize);
  long refusals = 0;
  bool completed = false;
  for (long n = 0; n < 100'000 && !completed; ++n) {
    std::fill(dst.begin(), dst.end(), kSentinel);
    PlaceholderDecoder decoder;
    bool decoded = false;
    bool threw = false;
    long asked = 0;
    {
      RefuseAllocation refuse(n);
      try {
        decoded = decoder.decode(jpeg.data(), jpeg.size(), dst.data());
      } catch (...) {
        threw = true;
      }
      asked = refuse.Stop();
    }
    ASSERT_FALSE(threw) << "allocation " << n;
    if (asked <= n) {
      // Allocation n was never asked for: nothing was refused this time.
      EXPECT_TRUE(decoded) << "the whole decode makes " << asked << " allocations";
      completed = true;
      break;
    }
    ++refusals;
    EXPECT_FALSE(decoded) << "allocation " << n << " was refused";
    EXPECT_EQ(decoder.width(), 0) << "allocation " << n;
    EXPECT_TRUE(std::all_of(dst.begin(), dst.end(), [](std::uint8_t b) { return b == kSentinel; }))
        << "allocation " << n << " was refused after the destination was written";
  }
  EXPECT_TRUE(completed);
  // Eight Huffman trees, three planes and three row buffers at the least.
  EXPECT_GE(refusals, 14);
}

TEST(PlaceholderDecoderMemory, DecodeAfterARefusalSucceeds) {
  const std::span<const std::uint8_t> jpeg = builtin_placeholder_jpeg();
  std::vector<std::uint8_t> dst(kPlaceholderDecodeBufferSize, kSentinel);
  PlaceholderDecoder decoder;
  {
    RefuseAllocation refuse(0);
    EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), dst.data()));
  }
  EXPECT_TRUE(decoder.decode(jpeg.data(), jpeg.size(), dst.data()));
  EXPECT_EQ(decoder.width(), 960);
  EXPECT_EQ(decoder.height(), 720);
}

}  // namespace
}  // namespace vcam::camera
