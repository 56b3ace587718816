#include "dui/controls/text/char_widths.h"

namespace vcam::dui {

std::int32_t PrefixWidth(CharWidths& widths, std::u16string_view text, std::size_t n, bool mask) {
  if (n > text.size()) n = text.size();
  std::int32_t sum = 0;
  if (mask) return static_cast<std::int32_t>(n) * widths.Width(kPasswordDot);
  for (std::size_t i = 0; i < n; ++i) sum += widths.Width(text[i]);
  return sum;
}

std::size_t HitIndex(CharWidths& widths, std::u16string_view text, std::int32_t x, std::int32_t scroll, bool mask) {
  const std::int32_t target = x + scroll;
  std::int32_t right = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int32_t w = widths.Width(mask ? kPasswordDot : text[i]);
    right += w;
    if (right >= target) return right - w / 2 < target ? i + 1 : i;
  }
  return text.size();
}

}  // namespace vcam::dui
