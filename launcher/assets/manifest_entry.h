#pragma once
#include <cstdint>
#include <string>

namespace vcam::launcher {

// One decoder file of the manifest whose local copy is missing or differs.
struct manifest_entry {
  std::string name;  // path below the application folder (printable ASCII)
  std::string file;  // remote name, appended to the decoder base URL
  std::u16string md5;
  std::uint32_t size = 0;

  bool operator==(const manifest_entry&) const = default;
};

}  // namespace vcam::launcher
