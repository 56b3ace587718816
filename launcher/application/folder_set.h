#pragma once
// The folders the client expects, created on the first request for the data
// folder (the application folder itself), outermost first.
#include <string>
#include <string_view>
#include <vector>

namespace vcam::launcher {

// The application folder (ending in "\") and its subfolders "dump", "logs",
// "patch", "sound", "effect", "settings", "videothumb", "videoworkthumb".
std::vector<std::u16string> folder_set(std::u16string_view application_folder);

}  // namespace vcam::launcher
