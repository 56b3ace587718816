// One post_to_ui round trip: a worker posts a callable, the UI thread wakes,
// drains and runs it, and the callable signals the worker back.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <thread>

#include "common/win/unique_handle.h"
#include "launcher/async/win/message_window.h"

namespace vcam::launcher {
namespace {

void BM_PostToUiRoundTrip(benchmark::State& state) {
  UniqueHandle ready(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  UniqueHandle done(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  std::uint32_t token = 0;
  DWORD ui_thread = 0;
  std::thread ui([&] {
    ui_thread = ::GetCurrentThreadId();
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // this thread gets a queue
    create_message_window(u"vcam_bench_mq");
    token = register_owner_token();
    ::SetEvent(ready.get());
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    destroy_message_window();
  });
  ::WaitForSingleObject(ready.get(), INFINITE);
  for (auto _ : state) {
    post_to_ui(token, [&] { ::SetEvent(done.get()); });
    ::WaitForSingleObject(done.get(), INFINITE);
  }
  ::PostThreadMessageW(ui_thread, WM_QUIT, 0, 0);
  ui.join();
}
BENCHMARK(BM_PostToUiRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace vcam::launcher
