#pragma once
// Where the uninstaller finds the user's and the machine's folders: roaming
// application data, program files, the common desktop and start menu, and
// the temporary folder. Empty when Windows cannot say.
#include <optional>
#include <string>

namespace vcam::uninstaller {

// The folder a CSIDL names, created when it does not exist yet.
std::optional<std::u16string> shell_folder(int csidl);
// The temporary folder, with its trailing backslash.
std::optional<std::u16string> temp_folder();

}  // namespace vcam::uninstaller
