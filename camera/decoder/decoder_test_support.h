#pragma once
// Test support shared by the decoder's tests: running a decoder on an
// exactly-sized heap copy of the input (so AddressSanitizer reports any read
// past its end) into a destination pre-filled with a sentinel, the check that
// both decoders refuse an input, and small edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/reference_decoder.h"

namespace vcam::camera::testing {

inline constexpr std::uint8_t kSentinel = 0xA5;

struct Outcome {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> picture;  // the whole destination buffer afterwards

  bool untouched() const {
    static const std::vector<std::uint8_t> pristine(kPlaceholderDecodeBufferSize, kSentinel);
    return picture.size() == pristine.size() && std::memcmp(picture.data(), pristine.data(), pristine.size()) == 0;
  }
};

// Decodes into `outcome`, reusing its buffer (a fresh 2 MB buffer per decode
// makes loops over thousands of inputs slow under AddressSanitizer).
template <class Decoder>
void decode_into(Outcome& outcome, const std::uint8_t* jpeg, std::size_t size) {
  std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[size]);
  std::copy(jpeg, jpeg + size, input.get());
  outcome.picture.assign(kPlaceholderDecodeBufferSize, kSentinel);
  Decoder decoder;
  outcome.ok = decoder.decode(input.get(), size, outcome.picture.data());
  outcome.width = decoder.width();
  outcome.height = decoder.height();
}

template <class Decoder>
void decode_into(Outcome& outcome, const std::vector<std::uint8_t>& jpeg) {
  decode_into<Decoder>(outcome, jpeg.data(), jpeg.size());
}

template <class Decoder>
Outcome decode_with(const std::vector<std::uint8_t>& jpeg) {
  Outcome outcome;
  decode_into<Decoder>(outcome, jpeg);
  return outcome;
}

// Both decoders refuse, leave the destination as it was and report no size.
inline void expect_refused(const std::vector<std::uint8_t>& jpeg, const std::string& what) {
  static Outcome fast;
  static Outcome reference;
  decode_into<PlaceholderDecoder>(fast, jpeg);
  decode_into<ReferenceDecoder>(reference, jpeg);
  EXPECT_FALSE(fast.ok) << what;
  EXPECT_TRUE(fast.untouched()) << what;
  EXPECT_EQ(fast.width, 0) << what;
  EXPECT_EQ(fast.height, 0) << what;
  EXPECT_FALSE(reference.ok) << what << " (reference)";
  EXPECT_TRUE(reference.untouched()) << what << " (reference)";
}

inline std::vector<std::uint8_t> with_byte(std::vector<std::uint8_t> jpeg, std::size_t offset, std::uint8_t value) {
  jpeg.at(offset) = value;
  return jpeg;
}

inline std::vector<std::uint8_t> with_inserted(std::vector<std::uint8_t> jpeg, std::size_t offset,
                                               std::initializer_list<std::uint8_t> bytes) {
  jpeg.insert(jpeg.begin() + static_cast<std::ptrdiff_t>(offset), bytes);
  return jpeg;
}

inline std::vector<std::uint8_t> truncated(const std::vector<std::uint8_t>& jpeg, std::size_t size) {
  return std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(size));
}

}  // namespace vcam::camera::testing
