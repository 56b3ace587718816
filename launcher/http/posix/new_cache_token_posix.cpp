// The host build has no CoCreateGuid; a random version-4 GUID stands in.
#include <random>

#include "launcher/http/cache_token.h"

namespace vcam::launcher {

std::string new_cache_token() {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  const std::uint64_t a = rng(), b = rng();
  guid_fields f;
  f.data1 = static_cast<std::uint32_t>(a >> 32);
  f.data2 = static_cast<std::uint16_t>(a >> 16);
  f.data3 = static_cast<std::uint16_t>((a & 0x0FFF) | 0x4000);
  for (int i = 0; i < 8; ++i) f.data4[i] = static_cast<std::uint8_t>(b >> (8 * i));
  f.data4[0] = static_cast<std::uint8_t>((f.data4[0] & 0x3F) | 0x80);
  return format_cache_token(f);
}

}  // namespace vcam::launcher
