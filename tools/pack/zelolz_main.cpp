// zelolz: builds an ".lz" resource container from a folder or a file list, or
// shows and extracts what a container holds.
//   zelolz OUTPUT.lz (FOLDER | @LIST) [--store]
//   zelolz --dump CONTAINER
//   zelolz --extract CONTAINER NAME OUTPUT
// Entries are LZMA-compressed (lc=3, lp=0, pb=2, 64 MiB dictionary, raw
// stream without end marker) unless --store, a "store" list entry, an empty
// file or an incompressible one keeps them stored. The output depends only on
// the inputs.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "tools/pack/pack_sources.h"
#include "tools/pack/resource_pack_writer.h"
#include "uninstaller/resources/resource_pack.h"

namespace {

using namespace vcam;

int usage() {
  std::fputs(
      "usage: zelolz OUTPUT.lz (FOLDER | @LIST) [--store]\n"
      "       zelolz --dump CONTAINER\n"
      "       zelolz --extract CONTAINER NAME OUTPUT\n",
      stderr);
  return 2;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "zelolz: %s\n", message.c_str());
  return 1;
}

int dump(const char* file) {
  std::vector<unsigned char> bytes;
  if (!tools::read_whole_file(tools::path_argument(file), bytes)) return fail(std::string("cannot read ") + file);
  const auto pack = uninstaller::ResourcePack::build(bytes.data(), bytes.size());
  pack.for_each([](const std::u16string& name, const uninstaller::ResourcePack::Entry& e) {
    std::printf("%s\t%u\t%u\t%u\n", utf16_to_utf8(name).c_str(), e.offset, e.stored_size, e.unpacked_size);
  });
  return 0;
}

int extract(const char* file, const char* name, const char* output) {
  std::vector<unsigned char> bytes;
  if (!tools::read_whole_file(tools::path_argument(file), bytes)) return fail(std::string("cannot read ") + file);
  const auto pack = uninstaller::ResourcePack::build(bytes.data(), bytes.size());
  std::size_t size = 0;
  const uninstaller::ResourceBuffer data = pack.extract(utf8_to_utf16(name), &size);
  if (!data) return fail(std::string("no usable entry ") + name);
  std::string error;
  const std::vector<unsigned char> bytes_out(data.get(), data.get() + size);
  if (!tools::write_file_atomically(tools::path_argument(output), bytes_out, error)) return fail(error);
  return 0;
}

int build(int argc, char** argv) {
  bool store_all = false;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--store") == 0) store_all = true;
    else return usage();
  }
  std::vector<tools::source_file> sources;
  std::string error;
  if (!tools::sources_from_argument(argv[2], sources, error)) return fail(error);
  tools::resource_pack_writer writer;
  for (const auto& s : sources) {
    std::vector<unsigned char> bytes;
    if (!tools::read_whole_file(s.path, bytes)) return fail("cannot read " + s.path.string());
    if (!writer.add(s.name, bytes, !store_all && !s.store, &error)) return fail(s.path.string() + ": " + error);
  }
  std::vector<unsigned char> container;
  if (!writer.finish(container, &error) ||
      !tools::write_file_atomically(tools::path_argument(argv[1]), container, error)) {
    return fail(error);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) return dump(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "--extract") == 0) return extract(argv[2], argv[3], argv[4]);
  if (argc >= 3 && argv[1][0] != '-') return build(argc, argv);
  return usage();
}
