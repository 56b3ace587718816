// Decoding the built-in picture: the placeholder decoder beside libjpeg-turbo
// (host build) decoding the same file into the same bottom-up BGR layout.
#include <benchmark/benchmark.h>

#include <vector>

#include "camera/decoder/dib_stride.h"
#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/reference_decoder.h"
#ifdef VCAM_BENCH_LIBJPEG
#include "camera/decoder/libjpeg_codec.h"
#endif

namespace vcam::camera {
namespace {

void set_rate(benchmark::State& state) {
  state.counters["Mpixel/s"] =
      benchmark::Counter(960.0 * 720.0 * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

template <class Decoder>
void BM_Decode(benchmark::State& state) {
  const auto jpeg = builtin_placeholder_jpeg();
  std::vector<std::uint8_t> dst(kPlaceholderDecodeBufferSize);
  for (auto _ : state) {
    Decoder decoder;
    if (!decoder.decode(jpeg.data(), jpeg.size(), dst.data())) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  set_rate(state);
}
BENCHMARK(BM_Decode<PlaceholderDecoder>)->Name("BM_PlaceholderDecoder")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode<ReferenceDecoder>)->Name("BM_ReferenceDecoder")->Unit(benchmark::kMillisecond);

#ifdef VCAM_BENCH_LIBJPEG
void BM_LibjpegTurbo(benchmark::State& state) {
  const auto jpeg = builtin_placeholder_jpeg();
  std::vector<std::uint8_t> dst(kPlaceholderDecodeBufferSize);
  for (auto _ : state) {
    if (!testing::libjpeg_decode_bottom_up(jpeg.data(), jpeg.size(), dst.data(), dst.size(), dib_stride24(960))) {
      state.SkipWithError("libjpeg failed");
    }
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  set_rate(state);
}
BENCHMARK(BM_LibjpegTurbo)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace vcam::camera
