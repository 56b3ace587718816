#pragma once
// The update description: a UTF-8 JSON object naming the published version,
// whether the update is mandatory, and the patcher's size and digest.
#include <cstdint>
#include <string>
#include <string_view>

namespace vcam::launcher {

struct update_config {
  std::uint32_t flag = 0;  // 0: optional; anything else: mandatory
  std::uint32_t size = 0;  // the patcher's size in bytes
  std::u16string md5;      // the patcher's digest
  std::u16string version;  // the published version

  bool mandatory() const { return flag != 0; }

  // Reads flag, size, version and md5, in that order, from `text` (no
  // byte-order mark). A text that is not a JSON object writes a location
  // line; a missing or mistyped member fails silently. The fields change
  // only on success.
  bool load(std::string_view text);
};

}  // namespace vcam::launcher
