#pragma once
// Path text rules shared by the programs: folders end in a backslash and all
// other paths are formed by plain concatenation.
#include <string>
#include <string_view>
#include <vector>

namespace vcam {

// "/" turned into "\".
std::u16string to_backslashes(std::u16string_view path);

// The folder part of a file path with "/" turned into "\" and a trailing "\";
// empty when the path holds no separator.
std::u16string folder_of(std::u16string_view file_path);

// The last component of a path (after the last "\" or "/").
std::u16string_view file_name_of(std::u16string_view path);

// The folders to create, outermost first, for `folder`: "C:\a\b\" gives
// "C:\a" and "C:\a\b" (a drive root or a UNC "\\server\share" is never
// created). Separators may be either slash.
std::vector<std::u16string> folder_ancestors(std::u16string_view folder);

}  // namespace vcam
