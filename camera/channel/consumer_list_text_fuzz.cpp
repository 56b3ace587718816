// Any region contents and any path: the list text never reads or writes
// outside the region, keeps its terminator, and removing after adding leaves
// no entry equal to the path.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "camera/channel/consumer_list_text.h"

using vcam::camera::ConsumerListText;
using vcam::camera::kListCapacity;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: path length in units; then the path, then the region contents.
  const std::size_t path_units = std::min<std::size_t>(data[0], (size - 1) / 2);
  std::u16string path(path_units, u'\0');
  std::memcpy(path.data(), data + 1, path_units * 2);
  std::replace(path.begin(), path.end(), u'\0', u'a');
  const std::uint8_t* rest = data + 1 + path_units * 2;
  const std::size_t rest_size = size - 1 - path_units * 2;

  std::array<char16_t, kListCapacity> region{};
  std::memcpy(region.data(), rest, std::min(rest_size, sizeof region));

  ConsumerListText text(region);
  if (text.text().size() >= kListCapacity) std::abort();
  text.add(path);
  text.store(region);
  if (region[kListCapacity - 1] != u'\0') std::abort();

  ConsumerListText again(region);
  again.remove(path);
  again.store(region);
  if (region[kListCapacity - 1] != u'\0') std::abort();
  if (!path.empty())
    for (const std::u16string& piece : ConsumerListText(region).pieces(true))
      if (piece == path) std::abort();
  return 0;
}
