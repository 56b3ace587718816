#include "launcher/pack/zelopack_keystream.h"

#include <random>

#include "launcher/pack/zelopack_format.h"

namespace vcam::launcher::zelopack {

void apply_keystream(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  std::mt19937 generator(seed);
  for (std::size_t i = 0; i < words; ++i, buffer += 4) {
    store_le32(buffer, load_le32(buffer) ^ static_cast<std::uint32_t>(generator()));
  }
}

}  // namespace vcam::launcher::zelopack
