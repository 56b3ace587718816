// Figures of the script host under Wine: what a call through the bindings
// costs against the bare Windows call, and removeDirectory against the
// system's own "rd /s /q" on the same tree.
#include <windows.h>
#include <io.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/win/unique_handle.h"
#include "uninstaller/script/script_state.h"
#include "uninstaller/script/win/directory_removal.h"
#include "uninstaller/script/win/system_functions.h"

namespace {

namespace fs = std::filesystem;
using namespace vcam::uninstaller;

constexpr const wchar_t* kMissing = L"C:\\vcam-bench-missing\\nothing.txt";

ScriptSetup worker_setup() {
  ScriptSetup setup;
  setup.kind = ScriptKind::worker;
  setup.groups = {kSystemFunctions};
  setup.numbers = registry_root_numbers();
  return setup;
}

void FileExistsFromLua(benchmark::State& state) {
  ScriptState script(worker_setup());
  lua_State* L = script.get();
  // The loop runs in Lua, as a script's own loop would; one call per iteration.
  if (luaL_loadstring(L, "local exists, path = fileExists, 'C:\\\\vcam-bench-missing\\\\nothing.txt'\n"
                         "return function(n) local found = 0\n"
                         "  for i = 1, n do if exists(path) then found = found + 1 end end\n"
                         "  return found end") != LUA_OK ||
      lua_pcall(L, 0, 1, 0) != LUA_OK) {
    state.SkipWithError("script");
    return;
  }
  for (auto _ : state) {
    lua_pushvalue(L, -1);
    lua_pushnumber(L, 1000);
    lua_call(L, 1, 1);
    benchmark::DoNotOptimize(lua_tonumber(L, -1));
    lua_pop(L, 1);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(FileExistsFromLua)->Unit(benchmark::kMicrosecond);

void FileExistsFromCpp(benchmark::State& state) {
  for (auto _ : state) {
    int found = 0;
    for (int i = 0; i < 1000; ++i) found += ::_waccess(kMissing, 0) == 0;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(FileExistsFromCpp)->Unit(benchmark::kMicrosecond);

// 10,000 files in 100 folders of 100.
void make_tree(const fs::path& root) {
  for (int d = 0; d < 100; ++d) {
    const fs::path folder = root / ("d" + std::to_string(d));
    fs::create_directories(folder);
    for (int f = 0; f < 100; ++f) std::ofstream(folder / ("f" + std::to_string(f) + ".txt")) << "x";
  }
}

fs::path bench_root(const char* name) {
  return fs::temp_directory_path() / (std::string("vcam_bench_") + name + "_" + std::to_string(::GetCurrentProcessId()));
}

void RemoveDirectoryTenThousandFiles(benchmark::State& state) {
  const fs::path root = bench_root("rmdir");
  for (auto _ : state) {
    state.PauseTiming();
    make_tree(root);
    state.ResumeTiming();
    remove_directory(root.u16string());
  }
  if (fs::exists(root)) state.SkipWithError("the tree was not removed");
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(RemoveDirectoryTenThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

void CmdRdTenThousandFiles(benchmark::State& state) {
  const fs::path root = bench_root("rd");
  for (auto _ : state) {
    state.PauseTiming();
    make_tree(root);
    std::wstring command = L"cmd.exe /c rd /s /q \"" + root.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    state.ResumeTiming();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info)) {
      state.SkipWithError("cmd did not start");
      break;
    }
    vcam::UniqueHandle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process.get(), INFINITE);
  }
  if (fs::exists(root)) state.SkipWithError("the tree was not removed");
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(CmdRdTenThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
