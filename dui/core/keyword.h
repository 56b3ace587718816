#pragma once
// The thirteen keywords that keyword attributes accept. A keyword attribute
// stores the keyword's identity in the value list; None stands for a value
// that matched no keyword, which no reader treats as a keyword.
#include <cstdint>
#include <string_view>

namespace vcam::dui {

enum class Keyword : std::int32_t {
  None = 0,
  Left,
  Right,
  Top,
  Bottom,
  Center,
  Stretch,
  Horizontal,
  Vertical,
  True,
  False,
  Auto,
  Always,
  Never,
};

// Exact, case-sensitive match; None when the text is no keyword.
Keyword FindKeyword(std::u16string_view text);
std::u16string_view KeywordText(Keyword keyword);

}  // namespace vcam::dui
