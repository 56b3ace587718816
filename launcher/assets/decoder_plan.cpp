#include "launcher/assets/decoder_plan.h"

namespace vcam::launcher {

std::uint64_t decoder_download_total(const std::vector<manifest_entry>& entries) {
  std::uint64_t total = 0;
  for (const auto& entry : entries) total += entry.size;
  return total;
}

}  // namespace vcam::launcher
