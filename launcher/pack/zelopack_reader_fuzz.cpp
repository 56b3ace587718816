// Arbitrary bytes as a pack: opening and reading every file must neither
// crash nor touch memory outside its buffers.
//
// Input with an odd first byte is the pack as it is. Otherwise the rest is a
// data area and index whose trailer the harness writes (index offset from the
// next two bytes), so that most inputs get past the trailer check and into the
// index walk and the reads.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "launcher/pack/zelopack_format.h"
#include "launcher/pack/zelopack_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcam::launcher;
  if (size == 0) return 0;
  std::vector<unsigned char> pack;
  if (data[0] & 1) {
    pack.assign(data + 1, data + size);
  } else if (size >= 3) {
    pack.assign(data + 3, data + size);
    if (pack.size() < 60) pack.resize(60, 0);
    pack.resize(pack.size() / 4 * 4);
    const std::uint32_t limit = static_cast<std::uint32_t>(pack.size()) - 20;
    std::uint32_t index_offset = (std::uint32_t(data[1]) | std::uint32_t(data[2]) << 8) * 4u;
    if (index_offset > limit) index_offset = limit;
    pack.resize(pack.size() + 4);
    zelopack::store_le32(pack.data() + pack.size() - 4, index_offset ^ zelopack::index_key);
  }

  auto reader = _zelopack_reader::open(u"fuzz.zeloz", memory_pack_file(std::move(pack)));
  if (!reader) return 0;
  std::vector<std::u16string> names;
  reader->for_each([&](const std::u16string& name, const _zelopack_reader::entry_info&) { names.push_back(name); });
  for (const auto& name : names) {
    std::uint32_t n = 0;
    pack_buffer buffer = reader->read(name, &n);
    if (buffer) {
      // Touch the whole buffer: the file and its zero padding.
      volatile unsigned char sink = 0;
      for (std::uint32_t i = 0; i < n + 4; ++i) sink = sink ^ buffer[i];
    }
  }
  reader->read(u"absent", nullptr);
  return 0;
}
