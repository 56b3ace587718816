// libFuzzer target: arbitrary bytes through the fast decoder and the plain
// reference. Neither may crash or read outside the input, and both must reach
// the same verdict and, on success, the same picture.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "camera/decoder/dib_stride.h"
#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/reference_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcam::camera;
  // An exactly-sized heap copy, so that AddressSanitizer sees any over-read.
  std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[size]);
  if (size != 0) std::memcpy(input.get(), data, size);

  static std::vector<std::uint8_t> fast(kPlaceholderDecodeBufferSize);
  static std::vector<std::uint8_t> reference(kPlaceholderDecodeBufferSize);
  PlaceholderDecoder fast_decoder;
  ReferenceDecoder reference_decoder;
  const bool fast_ok = fast_decoder.decode(input.get(), size, fast.data());
  const bool reference_ok = reference_decoder.decode(input.get(), size, reference.data());
  if (fast_ok != reference_ok) std::abort();
  if (fast_ok) {
    if (fast_decoder.width() != reference_decoder.width() || fast_decoder.height() != reference_decoder.height()) {
      std::abort();
    }
    const std::size_t used =
        dib_stride24(fast_decoder.width()) * static_cast<std::size_t>(fast_decoder.height());
    if (used > fast.size() || std::memcmp(fast.data(), reference.data(), used) != 0) std::abort();
  }
  return 0;
}
