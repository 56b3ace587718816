#include "launcher/crash/dump_module_filter.h"

#include "launcher/application/stale_process_rules.h"

namespace vcam::launcher {

bool module_data_needed(std::u16string_view module_path, std::u16string_view launcher_path) {
  if (!launcher_path.empty() && equal_ignoring_ascii_case(module_path, launcher_path)) return true;
  std::u16string_view stem = module_path;
  if (const auto slash = stem.find_last_of(u"\\/"); slash != std::u16string_view::npos) stem.remove_prefix(slash + 1);
  if (const auto dot = stem.rfind(u'.'); dot != std::u16string_view::npos) stem = stem.substr(0, dot);
  return equal_ignoring_ascii_case(stem, u"ntdll");
}

}  // namespace vcam::launcher
