// The round trip of a worker's notification under Wine: posted from a worker
// thread, carried by the UI dispatcher, answered by the window script's
// handler through the bookkeeping functions, and the answer back on the
// worker. With and without notifyMessage's fixed 20 ms pause.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "common/win/unique_handle.h"
#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/win_platform.h"
#include "uninstaller/bindings/testing/bookkeeping_source.h"
#include "uninstaller/bindings/win/script_functions.h"
#include "uninstaller/bindings/win/ui_dispatcher.h"
#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/win/script_host.h"

namespace {

using namespace vcam;
using namespace vcam::uninstaller;

class Texts : public ResourceProvider {
 public:
  std::map<std::u16string, std::string> texts;
  ResourceBuffer load(std::u16string_view name, std::size_t* size) override {
    const auto found = texts.find(std::u16string(name));
    if (found == texts.end()) return nullptr;
    ResourceBuffer buffer = new_resource_buffer(found->second.size());
    std::memcpy(buffer.get(), found->second.data(), found->second.size());
    if (size) *size = found->second.size();
    return buffer;
  }
};

// The benchmark of the run in progress, reached from the script's call.
benchmark::State* g_state = nullptr;
std::int32_t (*g_notify)(std::string_view) = nullptr;

void pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Called by the window script once its window has a handler: each iteration
// lets the worker notify once and runs the UI thread's messages until the
// answer is back on the worker.
int run_iterations(lua_State* L) {
  benchmark::State& state = *g_state;
  UniqueHandle go(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  UniqueHandle done(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  std::atomic<bool> quit{false};
  std::atomic<std::int32_t> answer{0};
  std::thread worker([&] {
    while (::WaitForSingleObject(go.get(), INFINITE) == WAIT_OBJECT_0 && !quit) {
      answer = g_notify("{code=4,position=3,text=[[step]]}");
      ::SetEvent(done.get());
    }
  });
  bool wrong = false;
  for (auto _ : state) {
    ::SetEvent(go.get());
    HANDLE h = done.get();
    while (::MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) pump();
    wrong = wrong || answer != 41;
  }
  quit = true;
  ::SetEvent(go.get());
  worker.join();
  if (wrong) state.SkipWithError("the handler's answer did not come back");
  lua_pushnumber(L, 0);
  return 1;
}

void RoundTrip(benchmark::State& state, std::int32_t (*notify)(std::string_view)) {
  g_state = &state;
  g_notify = notify;
  if (!dui::Initialize(u"bindings_bench", std::make_unique<dui::WinPlatform>(), dui::UiProfile::Uninstaller())) {
    state.SkipWithError("toolkit");
    return;
  }
  auto layouts = std::make_unique<dui::MemoryFileSource>();
  layouts->Put(u"page.xml", R"(<Window initSize="200,100"><Grid id="1000"/></Window>)");
  dui::UiRuntime::Instance()->SetLayoutSource(std::move(layouts));
  {
    UiDispatcher dispatcher;
    dispatcher.start();
    Texts texts;
    texts.texts[u"UI.lua"] = testing::bookkeeping_source() + R"(
      local w = createWindow("page.xml")
      w:setMessageHandler(function(text) local m = load("return " .. text)() return m.code * 10 + 1 end)
      runIterations()
    )";
    ScriptHost host;
    const luaL_Reg functions[] = {kWindowFunctions[0], kWindowFunctions[1], {"runIterations", run_iterations},
                                  {nullptr, nullptr}};
    if (!host.run_window_script(u"UI.lua", functions)) state.SkipWithError("window script");
    dispatcher.stop();
  }
  dui::Shutdown();
}

void NotificationRoundTrip(benchmark::State& state) { RoundTrip(state, &post_notification); }
BENCHMARK(NotificationRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

void NotifyMessageWithItsPause(benchmark::State& state) { RoundTrip(state, &notify_window); }
BENCHMARK(NotifyMessageWithItsPause)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

}  // namespace
