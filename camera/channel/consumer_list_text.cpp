#include "camera/channel/consumer_list_text.h"

#include <algorithm>

namespace vcam::camera {
namespace {

// Calls `visit` with each piece between ";" in order, empty ones skipped, and
// with a last piece that no ";" ends when `include_trailing`.
template <typename Visit>
void for_each_piece(std::u16string_view text, bool include_trailing, Visit visit) {
  while (!text.empty()) {
    const std::size_t semi = text.find(u';');
    if (semi == std::u16string_view::npos) {
      if (include_trailing) visit(text);
      return;
    }
    if (semi > 0) visit(text.substr(0, semi));
    text.remove_prefix(semi + 1);
  }
}

}  // namespace

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
  for_each_piece(text(), include_trailing, [&](std::u16string_view piece) { out.emplace_back(piece); });
  return out;
}

bool ConsumerListText::remove(std::u16string_view path) {
  if (!contains(path)) return false;
  bool any = false;
  for_each_piece(text(), true, [&](std::u16string_view) { any = true; });
  if (!any) return false;
  // The pieces are read from a copy while the text is rebuilt in place.
  const std::array<char16_t, kListCapacity> before = units_;
  const std::u16string_view old_text(before.data(), length_);
  std::fill(units_.begin(), units_.end(), u'\0');
  length_ = 0;
  for_each_piece(old_text, true, [&](std::u16string_view piece) {
    if (piece == path) return;
    // Every piece fits where it was before; only the ";" after a trailing piece
    // that filled the region may not, and that piece then stays unterminated.
    if (append(piece)) append(u";");
  });
  return true;
}

void ConsumerListText::store(std::span<char16_t> region) const {
  const std::size_t n = std::min(region.size(), units_.size());
  std::copy(units_.begin(), units_.begin() + static_cast<std::ptrdiff_t>(n), region.begin());
}

}  // namespace vcam::camera
