// Downloads a 50 MB file from the local HTTPS server (tools/https_server/
// bench_server.sh, started by `make bench`) and compares with Debian's curl
// fetching the same URL (VCAM_CURL_50MB_SECONDS). Built twice: the Windows
// program under Wine (Schannel, the product) and natively (OpenSSL, the same
// code on the same footing as curl). Also measures how long a stalled
// transfer takes to be abandoned with the product's stall limit.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "launcher/http/http_request.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher {
namespace {

std::string temp_file(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_Download50MBToFile(benchmark::State& state) {
  const auto server = vcam::testing::https_test_server::from_environment();
  if (!server.available()) {
    state.SkipWithError("no server: run through `make bench` (tools/https_server/bench_server.sh)");
    return;
  }
  const std::string out = temp_file("vcam_bench_50mb.bin");
  const std::string url = server.url("/bench/50mb.bin");
  double seconds = 0;
  unsigned bytes = 0;
  for (auto _ : state) {
    auto request = create_http_request();
    request->set_output_file(out);
    int status = 0;
    http_request_callback_impl receiver(nullptr, [&](int, int s, unsigned b) {
      status = s;
      bytes = b;
    });
    const auto start = std::chrono::steady_clock::now();
    request->perform(url, receiver);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 200) {
      state.SkipWithError("download failed");
      break;
    }
  }
  std::remove(out.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  const double ours = seconds / static_cast<double>(state.iterations());
  state.counters["ours_s"] = ours;
  if (const char* curl = std::getenv("VCAM_CURL_50MB_SECONDS")) {
    const double theirs = std::atof(curl);
    state.counters["curl_s"] = theirs;
    if (theirs > 0) state.counters["time_vs_curl"] = ours / theirs;
  }
}
BENCHMARK(BM_Download50MBToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same into memory: tells the file writes apart from the transfer.
void BM_Download50MBToMemory(benchmark::State& state) {
  const auto server = vcam::testing::https_test_server::from_environment();
  if (!server.available()) {
    state.SkipWithError("no server: run through `make bench`");
    return;
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto request = create_http_request();
    http_download_text_callback receiver;
    request->perform(server.url("/bench/50mb.bin"), receiver);
    if (!receiver.succeeded()) {
      state.SkipWithError("download failed");
      break;
    }
    bytes = receiver.body()->size() - 1;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Download50MBToMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_StalledTransferAbandonedWithTheProductLimit(benchmark::State& state) {
  const auto server = vcam::testing::https_test_server::from_environment();
  if (!server.available()) {
    state.SkipWithError("no server: run through `make bench`");
    return;
  }
  for (auto _ : state) {
    auto request = create_http_request();
    int code = -1;
    http_request_callback_impl receiver(nullptr, [&](int c, int, unsigned) { code = c; });
    request->set_output_file(temp_file("vcam_bench_stall.bin"));
    request->perform(server.url("/__/stall/1000/100000"), receiver);
    if (code != 28) state.SkipWithError("the stalled transfer did not time out");
  }
}
BENCHMARK(BM_StalledTransferAbandonedWithTheProductLimit)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace vcam::launcher
