#pragma once
// Path rules of the file functions that need no Windows call.
#include <string>
#include <string_view>
#include <vector>

namespace vcam::uninstaller {

// createDirectory's levels: "/" turned into "\", split at "\" with empty
// pieces dropped, then each growing prefix with a trailing "\":
// "C:\a\b" gives "C:\", "C:\a\", "C:\a\b\". A leading "\" or "\\" (a path
// from the drive root, a UNC or "\\?\" path) is kept in front of every
// prefix, so such a path is not turned into one relative to the current
// folder.
std::vector<std::u16string> directory_prefixes(std::u16string_view path);

// A full path in the form the deletion refusals compare: "/" turned into
// "\", a "\\?\" or "\\?\UNC\" prefix dropped, trailing "\" removed
// ("C:\" becomes "C:").
std::u16string folder_key(std::u16string_view full_path);

// A key that names a drive or share as a whole: empty, "X:", "\\server" or
// "\\server\share".
bool is_volume_root_key(std::u16string_view key);

}  // namespace vcam::uninstaller
