// The decoder step against bare downloads: 20 decoder files of 5 MiB (100 MiB)
// from the local HTTPS server (tools/https_server/bench_server.sh makes them
// with make_fixture.py, version "bench-decoders"), once through
// update_decoders (manifest, digests, throttled progress, the window) and
// once as plain http_request_download_file calls for the same files, in the
// same run. Also counts the progress posts.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/win/text_cp936.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/ui_runtime_win.h"
#include "launcher/assets/win/update_decoders.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"
#include "launcher/http/http_download.h"
#include "launcher/pack/zelopack_file_source.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher {
namespace {

constexpr int kFiles = 20;
constexpr char kVersion[] = "bench-decoders";

std::u16string own_folder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string p(reinterpret_cast<const char16_t*>(path), n);
  return p.substr(0, p.rfind(u'\\') + 1);
}

std::filesystem::path scratch() {
  const auto dir = std::filesystem::temp_directory_path() / "vcam_decoder_sync_bench";
  std::filesystem::create_directories(dir);
  return dir;
}

// The launcher's infrastructure around the step, for the whole program.
struct launcher_infrastructure {
  launcher_infrastructure() {
    ok = dui::Initialize(u"vcam_decoder_sync_bench");
    if (!ok) return;
    dui::UiRuntime::Instance()->SetPackOpener(open_zelopack_source);
    ok = dui::UiRuntime::Instance()->LoadSkinPack(own_folder() + u"resource\\style_pro.zeloz");
    dui::UiRuntime::Instance()->OpenLayoutPack(own_folder() + u"resource\\frame_pro.zeloz");
    ok = ok && start_task_runner() && create_message_window(u"zelovcam_launcher_mq");
  }
  ~launcher_infrastructure() {
    stop_task_runner();
    destroy_message_window();
    dui::Shutdown();
  }
  bool ok = false;
};

void BM_DecoderSync20Files100MB(benchmark::State& state) {
  const auto server = vcam::testing::https_test_server::from_environment();
  if (!server.available()) {
    state.SkipWithError("no server: run through `make bench` (tools/https_server/bench_server.sh)");
    return;
  }
  launcher_infrastructure infrastructure;
  if (!infrastructure.ok) {
    state.SkipWithError("no toolkit, packs, task runner or message window");
    return;
  }
  const std::string base = server.url("/config/");
  ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", std::wstring(base.begin(), base.end()).c_str());
  const std::filesystem::path folder = scratch();
  launcher_session session;
  session.application_folder = folder.u16string() + u"\\";
  session.current_version = std::u16string(kVersion, kVersion + sizeof kVersion - 1);
  const std::string url_codecs = server.url(std::string("/codecs/") + kVersion + "/");

  double ours = 0, bare = 0, window = 0;
  std::uint64_t posts = 0;
  for (auto _ : state) {
    std::filesystem::remove_all(folder / "codecs");
    auto counters = std::make_shared<progress_job_counters>();
    decoder_sync_options options;
    options.progress.counters = counters;
    std::u16string error;
    auto start = std::chrono::steady_clock::now();
    const bool synced = update_decoders(session, url_codecs, error, options);
    ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!synced) {
      state.SkipWithError("the decoder step failed");
      return;
    }
    posts += counters->posted.load();

    std::filesystem::remove_all(folder / "bare");
    std::filesystem::create_directories(folder / "bare");
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFiles; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "dec%02d", i);
      if (!http_request_download_file(url_codecs + name + ".bin",
                                      utf16_to_cp936((folder / "bare" / name).u16string()))) {
        state.SkipWithError("a bare download failed");
        return;
      }
    }
    bare += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // The window's fixed cost in this run (under Wine without a window
    // manager, hiding a window waits for the X server).
    start = std::chrono::steady_clock::now();
    run_progress_job(u"bench", 100, [](const progress_position_sink&) { return true; }, nullptr);
    window += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ours_s"] = ours / n;
  state.counters["bare_s"] = bare / n;
  state.counters["time_vs_bare"] = ours / bare;
  state.counters["window_s"] = window / n;
  state.counters["vs_bare_less_window"] = (ours - window) / bare;
  state.counters["posts_per_file"] = static_cast<double>(posts) / (n * kFiles);
  std::filesystem::remove_all(folder);
  ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", nullptr);
}
BENCHMARK(BM_DecoderSync20Files100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The window's own cost: a job that succeeds at once, behind the window.
void BM_ProgressWindowAroundAnEmptyJob(benchmark::State& state) {
  launcher_infrastructure infrastructure;
  if (!infrastructure.ok) {
    state.SkipWithError("no toolkit, packs, task runner or message window");
    return;
  }
  for (auto _ : state) {
    if (run_progress_job(u"bench", 100, [](const progress_position_sink&) { return true; }, nullptr) != 1) {
      state.SkipWithError("the job did not end with 1");
      return;
    }
  }
}
BENCHMARK(BM_ProgressWindowAroundAnEmptyJob)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace vcam::launcher
