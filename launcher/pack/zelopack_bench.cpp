// Reading every file of a 20 MB pack beside reading the same bytes, in the
// same pieces, from a plain file through the same file access (one seek and
// one read into a new buffer each). The difference is the reader's own work:
// lookup, allocation and descrambling.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "launcher/pack/zelopack_keystream.h"
#include "launcher/pack/zelopack_reader.h"
#include "tools/pack/zelopack_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace vcam;

constexpr int kFiles = 200;
constexpr std::size_t kFileSize = 100 * 1024;

struct fixture {
  fs::path pack_path;
  fs::path plain_path;
  std::vector<std::u16string> names;

  fixture() {
    const fs::path dir = fs::temp_directory_path();
    pack_path = dir / "vcam_bench_20mb.zeloz";
    plain_path = dir / "vcam_bench_20mb.bin";
    tools::zelopack_writer writer;
    std::vector<unsigned char> plain;
    std::mt19937 g(1);
    for (int i = 0; i < kFiles; ++i) {
      std::vector<unsigned char> data(kFileSize);
      for (auto& b : data) b = static_cast<unsigned char>(g());
      plain.insert(plain.end(), data.begin(), data.end());
      names.push_back(u"file_" + utf8_to_utf16(std::to_string(i)) + u".png");
      writer.add(names.back(), std::move(data), static_cast<std::uint32_t>(g()), nullptr);
    }
    std::vector<unsigned char> pack;
    writer.finish(pack, nullptr);
    std::ofstream(pack_path, std::ios::binary).write(reinterpret_cast<const char*>(pack.data()), pack.size());
    std::ofstream(plain_path, std::ios::binary).write(reinterpret_cast<const char*>(plain.data()), plain.size());
  }
  ~fixture() {
    std::error_code ec;
    fs::remove(pack_path, ec);
    fs::remove(plain_path, ec);
  }
};

fixture& data() {
  static fixture f;
  return f;
}

void BM_PackReadEveryFile(benchmark::State& state) {
  auto reader = launcher::_zelopack_reader::open(data().pack_path.u16string());
  if (!reader) {
    state.SkipWithError("pack did not open");
    return;
  }
  for (auto _ : state) {
    for (const auto& name : data().names) {
      std::uint32_t size = 0;
      launcher::pack_buffer b = reader->read(name, &size);
      benchmark::DoNotOptimize(b.get());
    }
  }
  state.SetBytesProcessed(state.iterations() * kFiles * static_cast<std::int64_t>(kFileSize));
}
BENCHMARK(BM_PackReadEveryFile)->Unit(benchmark::kMillisecond);

void BM_PlainReadSameBytes(benchmark::State& state) {
  auto file = launcher::open_pack_file(data().plain_path.u16string());
  if (!file) {
    state.SkipWithError("file did not open");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      launcher::pack_buffer b(static_cast<unsigned char*>(std::malloc(kFileSize + 4)));
      file->read_at(static_cast<std::uint32_t>(i * kFileSize), b.get(), kFileSize);
      benchmark::DoNotOptimize(b.get());
    }
  }
  state.SetBytesProcessed(state.iterations() * kFiles * static_cast<std::int64_t>(kFileSize));
}
BENCHMARK(BM_PlainReadSameBytes)->Unit(benchmark::kMillisecond);

// The descrambling alone, for the record.
void BM_KeystreamOnly(benchmark::State& state) {
  std::vector<unsigned char> buffer(kFiles * kFileSize);
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      launcher::zelopack::apply_keystream(buffer.data() + i * kFileSize, kFileSize / 4, static_cast<std::uint32_t>(i));
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(state.iterations() * kFiles * static_cast<std::int64_t>(kFileSize));
}
BENCHMARK(BM_KeystreamOnly)->Unit(benchmark::kMillisecond);

}  // namespace
