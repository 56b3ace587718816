#include "uninstaller/guard/restart_marker_rules.h"

#include <algorithm>

namespace vcam::uninstaller {

marker_judgement judge_marker_for_uninstaller(bool exists, std::optional<std::span<const unsigned char>> head,
                                              const shutdown_stamp& stamp) {
  if (!exists) return {false, false};
  if (!head || head->size() < shutdown_stamp_size) return {false, true};
  if (std::equal(stamp.begin(), stamp.end(), head->begin())) return {true, false};
  return {false, true};
}

bool judge_marker_for_launcher(const std::optional<shutdown_stamp>& stamp,
                               std::optional<std::span<const unsigned char>> whole_file) {
  if (!stamp || !whole_file || whole_file->size() != shutdown_stamp_size) return false;
  return std::equal(stamp->begin(), stamp->end(), whole_file->begin());
}

}  // namespace vcam::uninstaller
