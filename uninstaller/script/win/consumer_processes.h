#pragma once
// The camera's consumer list as the uninstaller reads it: the executables
// that have the camera filter loaded, so that they can be named to the user
// and ended before the filter's files are removed.
#include <optional>
#include <string>

#include "camera/channel/channel_names.h"

namespace vcam::uninstaller {

inline constexpr const char16_t* kCompanionExeName = u"ZeloVirtualCamera.exe";

// The list text ("path;path;..."), read under the list mutex after opening
// the list the way the camera does; nothing when it cannot be opened or its
// mutex stays busy for 100 ms.
std::optional<std::u16string> read_consumer_list(const camera::RegionNames& names = camera::kConsumerListNames);

// killRunningProcess: ends the listed executables by file name, last entry
// first (entries without their ";" are ignored), each written to the
// debugger output; then, whether or not the list was read, every
// "ZeloVirtualCamera.exe".
void kill_running_consumers(const camera::RegionNames& names = camera::kConsumerListNames);

}  // namespace vcam::uninstaller
