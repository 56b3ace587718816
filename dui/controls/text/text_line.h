#pragma once
// The text of a single-line field: at most kCapacity characters, edited in place.
#include <cstddef>
#include <string>
#include <string_view>

namespace vcam::dui {

class TextLine {
 public:
  static constexpr std::size_t kCapacity = 2000;

  const std::u16string& text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool full() const { return text_.size() >= kCapacity; }

  // Replaces the text with at most kCapacity - 1 characters of `text`; false
  // when it had to be cut.
  bool Assign(std::u16string_view text);
  // Inserts as much of `text` at `at` (clamped to the length) as fits; the
  // count inserted.
  std::size_t Insert(std::size_t at, std::u16string_view text);
  // Removes [min(a, b), max(a, b)), clamped to the text; the count removed.
  std::size_t Erase(std::size_t a, std::size_t b);

 private:
  std::u16string text_;
};

// Anchor and caret as character indices; equal when nothing is selected.
struct TextSelection {
  std::size_t anchor = 0;
  std::size_t caret = 0;

  bool empty() const { return anchor == caret; }
  std::size_t min() const { return anchor < caret ? anchor : caret; }
  std::size_t max() const { return anchor < caret ? caret : anchor; }
  void Collapse(std::size_t at) { anchor = caret = at; }
};

}  // namespace vcam::dui
