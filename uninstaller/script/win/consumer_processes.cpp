#include "uninstaller/script/win/consumer_processes.h"

#include <windows.h>

#include <array>
#include <cstring>

#include "camera/channel/consumer_list_text.h"
#include "camera/channel/win/shared_region.h"
#include "common/path_text.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "uninstaller/script/win/process_functions.h"

namespace vcam::uninstaller {

namespace {

// A copy of the whole region into a zero-filled buffer, taken under the list
// mutex; the text rules then read only the copy.
std::optional<camera::ConsumerListText> read_list(const camera::RegionNames& names) {
  camera::SharedRegion region(names, camera::kListRegionSize, camera::SharedRegion::MutexLabel::Always);
  if (!region.open()) return std::nullopt;
  std::array<char16_t, camera::kListCapacity> units{};
  {
    const MutexLock lock(region.mutex(), camera::kChannelLockTimeoutMs);
    if (!lock.owns()) return std::nullopt;
    std::memcpy(units.data(), region.view(), camera::kListRegionSize);
  }
  return camera::ConsumerListText(units);
}

}  // namespace

std::optional<std::u16string> read_consumer_list(const camera::RegionNames& names) {
  const auto list = read_list(names);
  if (!list) return std::nullopt;
  return std::u16string(list->text());
}

void kill_running_consumers(const camera::RegionNames& names) {
  if (const auto list = read_list(names)) {
    const auto pieces = list->pieces(false);
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
      ::OutputDebugStringW(wide(*piece));
      kill_by_exe_name(file_name_of(*piece));
    }
  }
  kill_by_exe_name(kCompanionExeName);
}

}  // namespace vcam::uninstaller
