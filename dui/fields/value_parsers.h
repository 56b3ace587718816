#pragma once
// Parsing of attribute values. Each parser answers nothing when the text does
// not match its pattern, so a malformed attribute sets no property.
#include <cstdint>
#include <optional>
#include <string_view>

#include "dui/core/geometry.h"

namespace vcam::dui::duiField {

// A decimal integer as "%d" reads it: leading white space, an optional sign,
// at least one digit; the text after the digits is ignored. Values outside the
// 32-bit range do not match.
std::optional<std::int32_t> ParseInt(std::u16string_view text);
// "%d,%d,%d,%d": left, top, right, bottom.
std::optional<Rect> ParseRect(std::u16string_view text);
// "%d,%d": cx, cy.
std::optional<Size> ParseSize(std::u16string_view text);
// "#RRGGBB" to 0x00RRGGBB. The first character is not examined; a character
// of the six that is no hexadecimal digit counts as 0. Shorter than seven
// characters: no match.
std::optional<std::uint32_t> ParseColor(std::u16string_view text);

}  // namespace vcam::dui::duiField
