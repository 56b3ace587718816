#pragma once
// Layout, style and font files are UTF-8 text, normally with a byte-order mark.
#include <optional>
#include <string>
#include <string_view>

#include "dui/load/file_source.h"

namespace vcam::dui {

// UTF-8 bytes to UTF-16 text, without a leading UTF-8 byte-order mark.
std::u16string DecodeTextResource(std::string_view bytes);

// The named file as UTF-16 text; nothing when the source lacks it.
std::optional<std::u16string> ReadTextResource(FileSource& source, std::u16string_view name);

}  // namespace vcam::dui
