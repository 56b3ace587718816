// Cost of the push loop per sample: delivery buffer, FillBuffer and Receive
// through the base classes, into a downstream pin that only records. Small
// samples show the loop's own overhead; VGA adds the filling of 921,600 bytes.
#include <benchmark/benchmark.h>

#include "camera/dshow/com_apartment.h"
#include "camera/dshow/testing/source_sink_pair.h"
#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow {
namespace {

void BM_PushLoop(benchmark::State& state) {
  const ComApartment com(COINIT_MULTITHREADED);
  const long width = static_cast<long>(state.range(0));
  const long height = static_cast<long>(state.range(1));
  constexpr size_t kSamples = 500;
  for (auto _ : state) {
    testing::TestStreamOptions options;
    options.offered = {testing::rgb24_type(width, height)};
    testing::SourceSinkPair pair(std::move(options));
    if (pair.out()->Connect(pair.in(), nullptr) != S_OK) {
      state.SkipWithError("connection failed");
      break;
    }
    pair.source->Run(0);
    if (!pair.sink->Pin()->WaitForSamples(kSamples, 60'000)) state.SkipWithError("samples missing");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kSamples));
}
BENCHMARK(BM_PushLoop)->Args({16, 8})->Args({640, 480})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vcam::dshow
