// The launcher's boot cost: vcam_launcher.exe started in a staged product
// folder (local configuration, nothing to update, a client module whose entry
// returns at once) until its process ends, against a bare start of a small
// program of the same build in the same run. The difference is the boot's
// overhead (guards, log, folders, task runner, message window, UI runtime,
// packs, configuration, teardown, client hand-off).
#include <windows.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/pack/zelopack_writer.h"

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;

fs::path stage() {
  const fs::path build = fs::path(wide(application_folder()));
  const fs::path app = fs::temp_directory_path() / ("vcam_boot_bench_" + std::to_string(::GetCurrentProcessId()));
  fs::remove_all(app);
  fs::create_directories(app / "resource");
  for (const char* file : {"vcam_launcher.exe", "logger.dll", "boot_test_helper.exe"})
    fs::copy_file(build / file, app / file);
  fs::copy_file(build / "fixture_client.dll", app / "vcam_client.dll");
  tools::zelopack_writer writer;
  writer.add(u"main.xml", {'<', 'a', '/', '>'}, 7, nullptr);
  std::vector<unsigned char> pack;
  writer.finish(pack, nullptr);
  std::ofstream(app / "resource" / "frame_pro.zeloz", std::ios::binary)
      .write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
  std::ofstream(app / "config-local", std::ios::binary)
      << R"({"url_news":"n","url_effect":"e","url_effect_download":"d","exclude":"","url_codecs":"c",)"
         R"("url_update":"http://127.0.0.1:9/u"})";
  // Nothing to update: the update server refuses at once and no decoder is listed.
  std::ofstream(app / "manifest_local", std::ios::binary) << "[]";
  ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", L"http://127.0.0.1:9/config/");
  return app;
}

// Staged once for the run and removed at exit.
struct staged_folder {
  fs::path path = stage();
  ~staged_folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

const fs::path& staged() {
  static const staged_folder folder;
  return folder.path;
}

void run_to_end(benchmark::State& state, const std::wstring& command) {
  for (auto _ : state) {
    std::wstring line = command;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      state.SkipWithError("the program did not start");
      return;
    }
    UniqueHandle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process.get(), 60000);
  }
}

void BM_BareProgramStart(benchmark::State& state) {
  run_to_end(state, L"\"" + (staged() / "boot_test_helper.exe").wstring() + L"\"");
}
BENCHMARK(BM_BareProgramStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LauncherBootToClient(benchmark::State& state) {
  run_to_end(state, L"\"" + (staged() / "vcam_launcher.exe").wstring() + L"\"");
}
BENCHMARK(BM_LauncherBootToClient)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vcam::launcher
