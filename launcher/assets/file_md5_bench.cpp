// file_md5 of a 200 MB file (made by tools/run-benches.sh, which also times
// Debian's md5sum on it in the same run: VCAM_MD5SUM_200MB_SECONDS). Built
// natively (the C library read) and for Windows (the mapped views, under
// Wine), both against the same md5sum figure.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "launcher/assets/file_md5.h"

namespace vcam::launcher {
namespace {

// The script hands over the Linux path; Wine sees the Linux root as Z:.
std::u16string bench_file() {
  const char* linux_path = std::getenv("VCAM_MD5_BENCH_FILE");
  if (!linux_path || !*linux_path) return {};
  std::string path = linux_path;
#ifdef _WIN32
  for (char& c : path)
    if (c == '/') c = '\\';
  path = "Z:" + path;
#endif
  return std::u16string(path.begin(), path.end());
}

void BM_FileMd5Of200MB(benchmark::State& state) {
  const std::u16string file = bench_file();
  if (file.empty()) {
    state.SkipWithError("no file: run through `make bench` (tools/run-benches.sh sets VCAM_MD5_BENCH_FILE)");
    return;
  }
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const std::u16string digest = file_md5(file);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (digest.size() != 32) {
      state.SkipWithError("no digest");
      return;
    }
  }
  const double ours = seconds / static_cast<double>(state.iterations());
  std::error_code ignored;
  const auto bytes = std::filesystem::file_size(std::filesystem::path(file), ignored);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["ours_s"] = ours;
  if (const char* md5sum = std::getenv("VCAM_MD5SUM_200MB_SECONDS")) {
    const double theirs = std::atof(md5sum);
    state.counters["md5sum_s"] = theirs;
    if (theirs > 0) state.counters["time_vs_md5sum"] = ours / theirs;
  }
}
BENCHMARK(BM_FileMd5Of200MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace vcam::launcher
