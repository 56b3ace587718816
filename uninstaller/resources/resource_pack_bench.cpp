// Extracting a 10 MB LZMA entry from a container beside liblzma decoding the
// same stream directly into a buffer it already has. The difference is the
// container's own work: lookup, range checks, allocation, decoder set-up.
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <random>
#include <string>
#include <vector>

#include "tools/pack/resource_pack_writer.h"
#include "uninstaller/resources/resource_pack.h"

namespace {

using namespace vcam;

constexpr std::size_t kSize = 10u << 20;

struct fixture {
  std::vector<unsigned char> container;
  std::vector<unsigned char> plain;
  uninstaller::ResourcePack pack;
  uninstaller::ResourcePack::Entry entry{};

  fixture() {
    // Layout-like text with varying values: compresses about as skins do.
    std::mt19937 g(7);
    std::string text;
    while (text.size() < kSize) {
      text += "<Button name=\"b" + std::to_string(g() % 100000) + "\" pos=\"" + std::to_string(g() % 800) + "," +
              std::to_string(g() % 600) + "\" text=\"" + std::to_string(g()) + "\"/>\r\n";
    }
    text.resize(kSize);
    plain.assign(text.begin(), text.end());
    tools::resource_pack_writer writer;
    writer.add(u"big.xml", plain, true, nullptr);
    writer.finish(container, nullptr);
    pack = uninstaller::ResourcePack::build(container.data(), container.size());
    pack.for_each([&](const std::u16string&, const uninstaller::ResourcePack::Entry& e) { entry = e; });
  }
};

fixture& data() {
  static fixture f;
  return f;
}

void BM_ExtractCompressedEntry(benchmark::State& state) {
  const fixture& f = data();
  for (auto _ : state) {
    std::size_t size = 0;
    uninstaller::ResourceBuffer b = f.pack.extract(u"big.xml", &size);
    if (!b || size != kSize) state.SkipWithError("extraction failed");
    benchmark::DoNotOptimize(b.get());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kSize));
  state.counters["ratio"] = static_cast<double>(f.entry.stored_size) / kSize;
}
BENCHMARK(BM_ExtractCompressedEntry)->Unit(benchmark::kMillisecond);

void BM_LiblzmaDirect(benchmark::State& state) {
  const fixture& f = data();
  const unsigned char* stored = f.container.data() + f.entry.offset;
  std::vector<unsigned char> out(kSize);
  for (auto _ : state) {
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, stored, 5) != LZMA_OK) {
      state.SkipWithError("bad properties");
      break;
    }
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    filters[0].id = LZMA_FILTER_LZMA1EXT;
    options->ext_flags = 0;
    options->ext_size_low = kSize;
    options->ext_size_high = 0;
    lzma_stream s = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&s, filters) != LZMA_OK) state.SkipWithError("decoder set-up failed");
    s.next_in = stored + 5;
    s.avail_in = f.entry.stored_size - 5;
    s.next_out = out.data();
    s.avail_out = out.size();
    if (lzma_code(&s, LZMA_FINISH) != LZMA_STREAM_END) state.SkipWithError("decoding failed");
    lzma_end(&s);
    std::free(options);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kSize));
}
BENCHMARK(BM_LiblzmaDirect)->Unit(benchmark::kMillisecond);

}  // namespace
