#include "uninstaller/script/registry_roots.h"

namespace vcam::uninstaller {

std::optional<std::int32_t> predefined_root(std::int64_t value) {
  constexpr std::int64_t kFirst = 0x80000000LL, kLast = 0x80000006LL;
  if (value >= kFirst && value <= kLast) value -= 0x100000000LL;
  if (value >= kFirst - 0x100000000LL && value <= kLast - 0x100000000LL) return static_cast<std::int32_t>(value);
  return std::nullopt;
}

}  // namespace vcam::uninstaller
