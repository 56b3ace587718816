#include "dui/controls/text/text_line.h"

#include <algorithm>

namespace vcam::dui {

bool TextLine::Assign(std::u16string_view text) {
  const bool fits = text.size() < kCapacity;
  text_.assign(text.substr(0, kCapacity - 1));
  return fits;
}

std::size_t TextLine::Insert(std::size_t at, std::u16string_view text) {
  const std::size_t n = std::min(text.size(), kCapacity - std::min(text_.size(), kCapacity));
  if (n == 0) return 0;
  text_.insert(std::min(at, text_.size()), text.data(), n);
  return n;
}

std::size_t TextLine::Erase(std::size_t a, std::size_t b) {
  const std::size_t from = std::min(std::min(a, b), text_.size());
  const std::size_t to = std::min(std::max(a, b), text_.size());
  text_.erase(from, to - from);
  return to - from;
}

}  // namespace vcam::dui
