#include "dui/window/tooltip_buffer.h"

#include <algorithm>

namespace vcam::dui {

namespace {
char16_t g_text[TooltipBuffer::kCapacity];
}  // namespace

const char16_t* TooltipBuffer::Fill(std::u16string_view text) {
  const std::size_t n = std::min(text.size(), kCapacity - 1);
  std::copy_n(text.data(), n, g_text);
  g_text[n] = u'\0';
  return g_text;
}

const char16_t* TooltipBuffer::Text() { return g_text; }

}  // namespace vcam::dui
