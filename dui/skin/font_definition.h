#pragma once
// The fonts of a skin, as "font.xml" defines them. Each child element of the
// root defines one font as changes to the system's default GUI font.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vcam::dui {

struct FontDefinition {
  std::u16string name;  // the key ("Default", "Default.Big", ...)
  std::optional<std::u16string> face;  // at most 31 characters
  std::optional<std::int32_t> height;  // negative: character height in pixels
  std::optional<std::int32_t> weight;  // 700 bold, 400 normal
  std::optional<bool> underline;
};

// Attributes in document order: "name", "face", "size" (an integer, else
// ignored), "bold" and "underline" ("true" or anything else). Elements without
// "name" define nothing. Nothing for malformed XML.
std::vector<FontDefinition> ParseFontDefinitions(std::u16string text);

}  // namespace vcam::dui
