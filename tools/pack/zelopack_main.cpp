// zelopack: builds a ".zeloz" resource pack from a folder or a file list, or
// shows and extracts what a pack holds.
//   zelopack OUTPUT.zeloz (FOLDER | @LIST) [--random-seeds [--seed N]]
//   zelopack --dump PACK
//   zelopack --extract PACK NAME OUTPUT
// Entry seeds are derived from the names unless --random-seeds is given; the
// random seeds come from --seed N (or a fresh N, printed), so every pack can
// be rebuilt byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "launcher/log/log_sink.h"
#include "launcher/pack/zelopack_reader.h"
#include "tools/pack/pack_sources.h"
#include "tools/pack/zelopack_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace vcam;

int usage() {
  std::fputs(
      "usage: zelopack OUTPUT.zeloz (FOLDER | @LIST) [--random-seeds [--seed N]]\n"
      "       zelopack --dump PACK\n"
      "       zelopack --extract PACK NAME OUTPUT\n",
      stderr);
  return 2;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "zelopack: %s\n", message.c_str());
  return 1;
}

// The reader's own log lines, printed.
class print_sink : public launcher::log_sink {
 public:
  void write(int level, const char* text) override { std::fprintf(level <= 300 ? stderr : stdout, "%s\n", text); }
};

int dump(const char* pack) {
  print_sink sink;
  launcher::log_sink_installation installed(sink);
  return launcher::_zelopack_reader::open(tools::path_argument(pack).u16string()) ? 0 : 1;
}

int extract(const char* pack, const char* name, const char* output) {
  print_sink sink;
  launcher::log_sink_installation installed(sink);
  launcher::_zelopack_reader reader;
  if (!reader.initialize(tools::path_argument(pack).u16string())) return 1;
  std::uint32_t size = 0;
  launcher::pack_buffer bytes = reader.read(utf8_to_utf16(name), &size);
  if (!bytes) return 1;
  std::string error;
  const std::vector<unsigned char> bytes_out(bytes.get(), bytes.get() + size);
  if (!tools::write_file_atomically(tools::path_argument(output), bytes_out, error)) return fail(error);
  return 0;
}

int build(int argc, char** argv) {
  const fs::path output = tools::path_argument(argv[1]);
  bool random_seeds = false;
  bool seed_given = false;
  std::uint32_t master = 0;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--random-seeds") == 0) {
      random_seeds = true;
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      char* end = nullptr;
      const unsigned long long value = std::strtoull(argv[++i], &end, 0);
      if (!end || *end != '\0' || value > UINT32_MAX) return usage();
      master = static_cast<std::uint32_t>(value);
      seed_given = true;
    } else {
      return usage();
    }
  }
  if (seed_given && !random_seeds) return usage();

  std::vector<tools::source_file> sources;
  std::string error;
  if (!tools::sources_from_argument(argv[2], sources, error)) return fail(error);
  if (random_seeds && !seed_given) {
    master = std::random_device()();
    std::fprintf(stderr, "zelopack: --seed %u rebuilds this pack\n", master);
  }
  std::mt19937 seeds(master);

  tools::zelopack_writer writer;
  for (const auto& s : sources) {
    std::vector<unsigned char> bytes;
    if (!tools::read_whole_file(s.path, bytes)) return fail("cannot read " + s.path.string());
    const std::uint32_t seed = random_seeds ? static_cast<std::uint32_t>(seeds()) : tools::zelopack_name_seed(s.name);
    if (!writer.add(s.name, std::move(bytes), seed, &error)) return fail(s.path.string() + ": " + error);
  }
  std::vector<unsigned char> pack;
  if (!writer.finish(pack, &error) || !tools::write_file_atomically(output, pack, error)) return fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) return dump(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "--extract") == 0) return extract(argv[2], argv[3], argv[4]);
  if (argc >= 3 && argv[1][0] != '-') return build(argc, argv);
  return usage();
}
