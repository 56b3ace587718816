#pragma once
// Whether a manifest's local name stays inside the application folder: the
// manifest comes from the network and its names become paths that are
// written, so a name must be relative, printable ASCII, free of "..", drive
// letters, stream suffixes and characters Windows refuses in names, must name
// a file (not end in a separator) and must not name a device (NUL, COM1...).
#include <string_view>

namespace vcam::launcher {

bool is_safe_manifest_name(std::string_view name);

}  // namespace vcam::launcher
