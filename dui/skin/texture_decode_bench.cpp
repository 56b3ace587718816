// Decoding a skin image into a texture (RGBA to premultiplied words) against
// stb_image's decoding alone, per megapixel. The target: the texture decode
// takes at most 1.3 times the plain decode.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "dui/skin/memory_texture.h"
#include "dui/skin/texture_decoder.h"
#include "dui/testing/test_png.h"

namespace vcam::dui {
namespace {

// 1024 x 1024 pixels of gradients with varying alpha, so that premultiplying
// has work on most pixels and the PNG does not compress to nothing.
const std::string& Png() {
  static const std::string png = [] {
    std::vector<testing::Rgba> pixels;
    pixels.reserve(1024 * 1024);
    unsigned seed = 12345;
    for (int y = 0; y < 1024; ++y)
      for (int x = 0; x < 1024; ++x) {
        seed = seed * 1103515245u + 12345u;
        pixels.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                          static_cast<std::uint8_t>((seed >> 16) & 0x3F), static_cast<std::uint8_t>(x ^ y)});
      }
    return testing::EncodePng(1024, 1024, pixels);
  }();
  return png;
}


void BM_StbDecodeOnly(benchmark::State& state) {
  const std::string& png = Png();
  for (auto _ : state) {
    int w = 0, h = 0, n = 0;
    stbi_uc* rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                          &w, &h, &n, 4);
    benchmark::DoNotOptimize(rgba);
    stbi_image_free(rgba);
  }
  state.counters["s_per_megapixel"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StbDecodeOnly)->Unit(benchmark::kMillisecond);

void BM_TextureDecodePremultiplied(benchmark::State& state) {
  const std::string& png = Png();
  const TextureMaker make = [](std::int32_t w, std::int32_t h) -> std::unique_ptr<Texture> {
    return std::make_unique<MemoryTexture>(w, h);
  };
  for (auto _ : state) {
    std::unique_ptr<Texture> t = DecodeTexture(png, true, make);
    benchmark::DoNotOptimize(t.get());
  }
  state.counters["s_per_megapixel"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TextureDecodePremultiplied)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcam::dui
