// One filled sample per offered output size from an 800 x 600 published
// picture, timed beside the bare libswscale conversion the pump performs and
// beside a plain memcpy of the output bytes, interleaved in one loop so that
// all three see the same caches. Pacing costs nothing: the clock runs ahead.
//
// Counters (microseconds per sample):
//   pump_us      FramePump::fill_buffer
//   sws_us       sws_scale 800x600 BGR0 -> the pump's target (the 4:3 work
//                picture for exact 16:9 sizes), rows flipped as the pump does
//   out_sws_us   sws_scale straight to the output size (differs only for 16:9)
//   memcpy_us    memcpy of the output bytes
//   pump/sws     pump_us / sws_us, the pump's own share on top of the scaler
//   min_pump_us, min_sws_us, min_pump/sws
//                the fastest sample of each, least disturbed by other load on
//                the machine, and their ratio
#include <benchmark/benchmark.h>

extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <vector>

#include "camera/channel/frame_header.h"
#include "camera/filter/format_table.h"
#include "camera/pump/frame_pump.h"
#include "camera/pump/picture_geometry.h"
#include "camera/pump/pump_fakes.h"
#include "tools/publisher/test_pattern.h"

namespace vcam::camera {
namespace {

constexpr std::int32_t kSourceWidth = 800, kSourceHeight = 600;

using Clock = std::chrono::steady_clock;

// The published picture in memory, copied as the channel copies it, without
// the test fake's bookkeeping.
class MemorySource : public FrameSource {
 public:
  MemorySource() : pixels_(kFramePixelAreaSize) {}
  std::int32_t width() const override { return kSourceWidth; }
  std::int32_t height() const override { return kSourceHeight; }
  std::uint64_t stamp() const override { return current_stamp; }
  bool copyPixels(void* dst, std::size_t size) override {
    if (refuse || size > pixels_.size()) return false;
    std::memcpy(dst, pixels_.data(), size);
    return true;
  }
  std::uint8_t* pixels() { return pixels_.data(); }
  std::size_t pixel_area() const { return pixels_.size(); }
  std::uint64_t current_stamp = 1;
  bool refuse = false;

 private:
  std::vector<std::uint8_t> pixels_;
};
double since(Clock::time_point t0, Clock::time_point t1) {
  return std::chrono::duration<double, std::micro>(t1 - t0).count();
}

// A bare scaler for one conversion, top-row-first source into a bottom-up target.
class BareScale {
 public:
  BareScale(const std::uint8_t* source, std::int32_t w, std::int32_t h)
      : out_(dib_stride24(w) * static_cast<std::size_t>(h)), w_(w), h_(h) {
    ctx_ = sws_getContext(kSourceWidth, kSourceHeight, AV_PIX_FMT_BGR0, w, h, AV_PIX_FMT_BGR24, SWS_FAST_BILINEAR,
                          nullptr, nullptr, nullptr);
    av_image_fill_arrays(src_, src_stride_, source, AV_PIX_FMT_BGR0, kSourceWidth, kSourceHeight, 4);
  }
  ~BareScale() { sws_freeContext(ctx_); }
  void run() {
    const int stride = static_cast<int>(dib_stride24(w_));
    std::uint8_t* dst[4] = {out_.data() + static_cast<std::size_t>(h_ - 1) * stride};
    const int dst_stride[4] = {-stride};
    sws_scale(ctx_, src_, src_stride_, 0, kSourceHeight, dst, dst_stride);
    benchmark::DoNotOptimize(out_.data());
  }

 private:
  std::vector<std::uint8_t> out_;
  std::int32_t w_, h_;
  SwsContext* ctx_ = nullptr;
  std::uint8_t* src_[4] = {};
  int src_stride_[4] = {};
};

// `fresh`: every sample has a new stamp and copies the 1,920,000-byte picture
// out of the channel first. Otherwise the copy is refused at once (the lock
// time-out path), which converts the staging image exactly as an unchanged
// stamp inside the stale interval does, without the copy.
void fill_sample(benchmark::State& state, bool fresh) {
  const FrameSize size = kFormatTable[static_cast<std::size_t>(state.range(0))];
  MemorySource source;
  testing::RunningClock clock;
  testing::FakePlaceholder placeholder;
  testing::FakeCompanion companion;
  FramePump pump(source, clock, placeholder, companion);
  publisher::draw_test_pattern(source.pixels(), source.pixel_area(), kSourceWidth, kSourceHeight, 1);
  pump.set_media_type(size.width, size.height);
  pump.active();
  const std::size_t out_size = dib_stride24(size.width) * static_cast<std::size_t>(size.height);
  testing::FakeSample sample(out_size);
  pump.fill_buffer(sample);  // builds the staging image and the scaler once
  source.refuse = !fresh;

  const WorkGeometry work = work_geometry(size.width, size.height);
  BareScale same(source.pixels(), size.width, work.present() ? work.height : size.height);
  BareScale straight(source.pixels(), size.width, size.height);
  std::vector<std::uint8_t> copy(out_size);

  double pump_us = 0, sws_us = 0, out_sws_us = 0, memcpy_us = 0;
  double min_pump_us = std::numeric_limits<double>::max(), min_sws_us = min_pump_us;
  for (auto _ : state) {
    ++source.current_stamp;
    const auto t0 = Clock::now();
    pump.fill_buffer(sample);
    const auto t1 = Clock::now();
    same.run();
    const auto t2 = Clock::now();
    straight.run();
    const auto t3 = Clock::now();
    std::memcpy(copy.data(), sample.data(), out_size);
    benchmark::ClobberMemory();
    const auto t4 = Clock::now();
    pump_us += since(t0, t1);
    sws_us += since(t1, t2);
    min_pump_us = std::min(min_pump_us, since(t0, t1));
    min_sws_us = std::min(min_sws_us, since(t1, t2));
    out_sws_us += since(t2, t3);
    memcpy_us += since(t3, t4);
  }
  using benchmark::Counter;
  state.counters["pump_us"] = Counter(pump_us, Counter::kAvgIterations);
  state.counters["sws_us"] = Counter(sws_us, Counter::kAvgIterations);
  state.counters["out_sws_us"] = Counter(out_sws_us, Counter::kAvgIterations);
  state.counters["memcpy_us"] = Counter(memcpy_us, Counter::kAvgIterations);
  state.counters["pump/sws"] = sws_us > 0 ? pump_us / sws_us : 0;
  state.counters["min_pump_us"] = min_pump_us;
  state.counters["min_sws_us"] = min_sws_us;
  state.counters["min_pump/sws"] = min_pump_us / min_sws_us;
  state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height));
}

void BM_FillNewPicture(benchmark::State& state) { fill_sample(state, true); }
void BM_FillRedelivered(benchmark::State& state) { fill_sample(state, false); }

BENCHMARK(BM_FillNewPicture)->DenseRange(0, kFormatCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillRedelivered)->DenseRange(0, kFormatCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vcam::camera
