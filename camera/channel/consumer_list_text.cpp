#include "camera/channel/consumer_list_text.h"

#include <algorithm>

namespace vcam::camera {

ConsumerListText::ConsumerListText(std::span<const char16_t> region) {
  const std::size_t n = std::min(region.size(), units_.size());
  const auto end = std::find(region.begin(), region.begin() + static_cast<std::ptrdiff_t>(n), u'\0');
  length_ = static_cast<std::size_t>(end - region.begin());
  std::copy(region.begin(), end, units_.begin());
  // Leave room for the terminator of an unterminated, full region.
  length_ = std::min(length_, units_.size() - 1);
  std::fill(units_.begin() + static_cast<std::ptrdiff_t>(length_), units_.end(), u'\0');
}

bool ConsumerListText::contains(std::u16string_view path) const {
  return text().find(path) != std::u16string_view::npos;
}

bool ConsumerListText::append(std::u16string_view s) {
  if (length_ + s.size() > units_.size() - 1) return false;
  std::copy(s.begin(), s.end(), units_.begin() + static_cast<std::ptrdiff_t>(length_));
  length_ += s.size();
  return true;
}

bool ConsumerListText::add(std::u16string_view path) {
  if (path.empty() || contains(path)) return false;
  const bool end_last = length_ > 0 && units_[length_ - 1] != u';';
  const std::size_t needed = (end_last ? 1 : 0) + path.size() + 1;
  if (length_ + needed > units_.size() - 1) return false;
  if (end_last) append(u";");
  append(path);
  append(u";");
  return true;
}

std::vector<std::u16string> ConsumerListText::pieces(bool include_trailing) const {
  std::vector<std::u16string> out;
  std::u16string_view rest = text();
  while (!rest.empty()) {
    const std::size_t semi = rest.find(u';');
    if (semi == std::u16string_view::npos) {
      if (include_trailing) out.emplace_back(rest);
      break;
    }
    if (semi > 0) out.emplace_back(rest.substr(0, semi));
    rest.remove_prefix(semi + 1);
  }
  return out;
}

bool ConsumerListText::remove(std::u16string_view path) {
  if (!contains(path)) return false;
  const std::vector<std::u16string> kept = pieces(true);
  if (kept.empty()) return false;
  std::fill(units_.begin(), units_.end(), u'\0');
  length_ = 0;
  for (const std::u16string& piece : kept) {
    if (piece == path) continue;
    // Every piece fits where it was before; only the ";" after a trailing piece
    // that filled the region may not, and that piece then stays unterminated.
    if (append(piece)) append(u";");
  }
  return true;
}

void ConsumerListText::store(std::span<char16_t> region) const {
  const std::size_t n = std::min(region.size(), units_.size());
  std::copy(units_.begin(), units_.begin() + static_cast<std::ptrdiff_t>(n), region.begin());
}

}  // namespace vcam::camera
