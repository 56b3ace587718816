#pragma once
// Character advance widths of one font, and the arithmetic the text controls
// do with them: prefix widths and the character under an x position.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vcam::dui {

class CharWidths {
 public:
  virtual ~CharWidths() = default;
  // The advance of one UTF-16 unit in pixels.
  virtual std::int32_t Width(char16_t c) = 0;
};

// What a password field shows for every character.
inline constexpr char16_t kPasswordDot = u'\u25CF';

// Width of text[0, n); with `mask` every character counts as the password dot.
std::int32_t PrefixWidth(CharWidths& widths, std::u16string_view text, std::size_t n, bool mask);

// The caret index for x (relative to the text's inner left edge) when the text
// is scrolled left by `scroll`: the first character whose right edge reaches
// x + scroll, plus one when x + scroll lies right of its middle; the length
// past the end.
std::size_t HitIndex(CharWidths& widths, std::u16string_view text, std::int32_t x, std::int32_t scroll, bool mask);

}  // namespace vcam::dui
