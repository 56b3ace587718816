#pragma once
// The data folder is the application folder. The first request creates the
// folder set (launcher/application/folder_set.h) ancestor by ancestor; later
// requests return the cached folder without creating anything.
#include <string>

namespace vcam::launcher {

// Ends with "\".
const std::u16string& data_folder();

}  // namespace vcam::launcher
