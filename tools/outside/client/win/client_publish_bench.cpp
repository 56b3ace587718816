// The client module's cost per published picture: composed at 1280 x 720 (the
// test card or the screen), reduced to the channel's 912 x 513 and written
// into the frame channel. The CPU column of the single-picture benchmarks is
// the CPU time per picture; the paced run reports the process's CPU time per
// published picture and the rate it kept at 15 pictures a second.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "tools/outside/client/channel_picture.h"
#include "tools/outside/client/test_card.h"
#include "tools/outside/client/win/picture_pump.h"
#include "tools/outside/client/win/screen_grabber.h"

namespace vcam::client {
namespace {

camera::RegionNames bench_names() {
  const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
  const std::u16string suffix = u"-bench-" + std::u16string(pid.begin(), pid.end());
  return {camera::kFrameChannelNames.mutex + suffix, camera::kFrameChannelNames.region + suffix};
}

std::uint64_t process_cpu_us() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto us = [](FILETIME t) { return ((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10; };
  return us(kernel) + us(user);
}

void BM_PublishOnePicture(benchmark::State& state) {
  PicturePump pump(bench_names());
  if (!pump.open()) return state.SkipWithError("frame channel");
  pump.set_source(state.range(0) ? PictureSource::Screen : PictureSource::TestCard);
  for (auto _ : state)
    if (!pump.publish_one()) return state.SkipWithError("publish");
  state.SetLabel(state.range(0) ? "screen" : "test card");
}
BENCHMARK(BM_PublishOnePicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TestCardDraw(benchmark::State& state) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWorkingWidth) * kWorkingHeight * 4);
  TestCard card;
  int ms = 0;
  for (auto _ : state) card.draw(pixels.data(), pixels.size(), kWorkingWidth, kWorkingHeight, {12, 0, 0, ms++ % 1000});
}
BENCHMARK(BM_TestCardDraw)->Unit(benchmark::kMillisecond);

void BM_ScreenGrab(benchmark::State& state) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWorkingWidth) * kWorkingHeight * 4);
  ScreenGrabber grabber;
  for (auto _ : state)
    if (!grabber.grab(pixels.data(), kWorkingWidth, kWorkingHeight)) return state.SkipWithError("no screen");
}
BENCHMARK(BM_ScreenGrab)->Unit(benchmark::kMillisecond);

void BM_Reduce(benchmark::State& state) {
  const PictureSize size = channel_picture_size(kWorkingWidth, kWorkingHeight, camera::kFramePixelAreaSize);
  std::vector<std::uint8_t> src(static_cast<std::size_t>(kWorkingWidth) * kWorkingHeight * 4, 0x40);
  std::vector<std::uint8_t> dst(static_cast<std::size_t>(size.width) * size.height * 4);
  PictureReducer reducer;
  for (auto _ : state)
    reducer.reduce(src.data(), kWorkingWidth, kWorkingHeight, dst.data(), size.width, size.height);
}
BENCHMARK(BM_Reduce)->Unit(benchmark::kMillisecond);

// The pump as the client runs it, for 4 seconds: CPU of the whole process per
// published picture and the pictures per second it kept.
void BM_PacedPump(benchmark::State& state) {
  for (auto _ : state) {
    PicturePump pump(bench_names());
    pump.set_source(state.range(0) ? PictureSource::Screen : PictureSource::TestCard);
    const std::uint64_t cpu = process_cpu_us();
    const ULONGLONG start = ::GetTickCount64();
    if (!pump.start(nullptr, 0)) return state.SkipWithError("frame channel");
    ::Sleep(4000);
    pump.stop();
    const double seconds = (::GetTickCount64() - start) / 1000.0;
    const auto published = static_cast<double>(pump.published());
    if (published == 0) return state.SkipWithError("nothing published");
    state.counters["cpu_us_per_picture"] = static_cast<double>(process_cpu_us() - cpu) / published;
    state.counters["pictures_per_s"] = published / seconds;
  }
  state.SetLabel(state.range(0) ? "screen" : "test card");
}
BENCHMARK(BM_PacedPump)->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcam::client
