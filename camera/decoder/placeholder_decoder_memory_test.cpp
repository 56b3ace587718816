// Every allocation that decoding the built-in picture makes, refused in turn:
// the decode reports a refusal, throws nothing and leaves the destination
// alone. The refusals come from this program's own operator new, which
// passes every allocation on to malloc until a test arms it.
#include "camera/decoder/placeholder_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <vector>

namespace {

// Allocations are counted while armed; the one numbered `g_refused_at`
// (from 0) throws std::bad_alloc. The tests run on one thread.
bool g_armed = false;
long g_refused_at = -1;
long g_counted = 0;

void* allocate(std::size_t size) {
  if (g_armed && g_counted++ == g_refused_at) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vcam::camera {
namespace {

constexpr std::uint8_t kSentinel = 0xA5;

// Refuses allocation number `n` of what follows until the object goes, and
// tells how many allocations were asked for meanwhile.
class RefuseAllocation {
 public:
  explicit RefuseAllocation(long n) {
    g_counted = 0;
    g_refused_at = n;
    g_armed = true;
  }
  ~RefuseAllocation() { Stop(); }
  RefuseAllocation(const RefuseAllocation&) = delete;
  RefuseAllocation& operator=(const RefuseAllocation&) = delete;
  long Stop() {
    g_armed = false;
    g_refused_at = -1;
    return g_counted;
  }
};

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
