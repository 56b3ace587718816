// Arbitrary bytes as a texture-rule file: parsing never fails, and every rule
// it yields has a name and, for a colour rule, 24-bit colours.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dui/skin/texture_rule_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcam::dui;
  const TextureRuleFile file = ParseTextureRuleFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (file.skin_colour && *file.skin_colour > 0xFFFFFF) std::abort();
  for (const TextureRuleLine& rule : file.rules)
    if (rule.from > 0xFFFFFF || rule.colour > 0xFFFFFF) std::abort();
  return 0;
}
