// Arbitrary bytes as a skin image: decoding must refuse or succeed without
// reading past the input or allocating for sizes the header merely claims.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "dui/skin/memory_texture.h"
#include "dui/skin/texture_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcam::dui;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A lower side limit keeps a claimed size within the fuzzer's memory limit.
  const TextureMaker make = [](std::int32_t w, std::int32_t h) -> std::unique_ptr<Texture> {
    return std::make_unique<MemoryTexture>(w, h);
  };
  if (std::unique_ptr<Texture> t = DecodeTexture(bytes, size % 2 == 0, make, 2048)) {
    volatile std::uint32_t sink = t->pixels()[t->width() * t->height() - 1];
    (void)sink;
  }
  return 0;
}
