#include "dui/load/text_resource.h"

#include "common/text_utf.h"

namespace vcam::dui {

// Files written for the toolkit start with the three bytes of the mark; one
// without them is read whole rather than losing its first three characters.
std::u16string DecodeTextResource(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return utf8_to_utf16(bytes);
}

std::optional<std::u16string> ReadTextResource(FileSource& source, std::u16string_view name) {
  std::optional<std::string> bytes = source.Read(name);
  if (!bytes) return std::nullopt;
  return DecodeTextResource(*bytes);
}

}  // namespace vcam::dui
