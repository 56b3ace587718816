#pragma once
// The folders the scripts ask for; nothing when Windows cannot tell.
#include <optional>
#include <string>

namespace vcam::uninstaller {

std::optional<std::u16string> special_folder(int csidl);  // created when missing
std::optional<std::u16string> temp_folder();              // ends in "\"

}  // namespace vcam::uninstaller
