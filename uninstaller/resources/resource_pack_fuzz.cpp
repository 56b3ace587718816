// Arbitrary bytes as a resource container: indexing and extracting every
// entry must neither crash nor touch memory outside the container and the
// extracted buffers.
//
// Input with an odd first byte is the container as it is. Otherwise the rest
// is data and directory, and the harness appends a trailer pointing at the
// directory offset given by the next two bytes, so that most inputs reach the
// directory walk and the extraction.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "uninstaller/resources/resource_pack.h"
#include "uninstaller/resources/resource_pack_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcam::uninstaller;
  if (size == 0) return 0;
  std::vector<unsigned char> container;
  if (data[0] & 1) {
    container.assign(data + 1, data + size);
  } else if (size >= 3) {
    container.assign(data + 3, data + size);
    std::uint32_t directory = std::uint32_t(data[1]) | std::uint32_t(data[2]) << 8;
    if (directory > container.size()) directory = static_cast<std::uint32_t>(container.size());
    container.resize(container.size() + 4);
    resource_pack_format::store_le32(container.data() + container.size() - 4,
                                     directory ^ resource_pack_format::index_key);
  }
  // The vector holds exactly the container, so any read past it is caught.
  container.shrink_to_fit();
  const ResourcePack pack = ResourcePack::build(container.data(), container.size());
  std::vector<std::u16string> names;
  pack.for_each([&](const std::u16string& name, const ResourcePack::Entry&) { names.push_back(name); });
  for (const auto& name : names) {
    std::size_t n = 0;
    ResourceBuffer b = pack.extract(name, &n);
    if (b) {
      volatile unsigned char sink = 0;
      for (std::size_t i = 0; i < n + 4; ++i) sink = sink ^ b[i];
    }
  }
  return 0;
}
