#pragma once
// The visual lines of an editor's text: the text wrapped by width, a line
// ending where the next character would pass the width or at a line break
// (LF, CR, or CR LF as one break). No word boundaries are sought.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dui/controls/text/char_widths.h"
#include "dui/controls/text/edit_text.h"

namespace vcam::dui {

struct VisualLine {
  std::uint32_t start = 0;  // first character
  std::uint32_t end = 0;    // one past the last shown character
  std::uint32_t next = 0;   // start of the next line: end plus the break's characters
  bool hard_break() const { return next > end; }
};

// A character's advance in the editor: a TAB is drawn as four spaces, line
// breaks take no room.
std::int32_t EditCharWidth(CharWidths& widths, char16_t c);

class VisualLines {
 public:
  static constexpr std::size_t kMaxLines = 200000;
  // Line records are taken in blocks of this many.
  static constexpr std::size_t kPoolBlock = 1000;

  std::size_t count() const { return lines_.size(); }
  const VisualLine& operator[](std::size_t i) const { return lines_[i]; }
  // The table stopped at kMaxLines; the text after its last line is not shown.
  bool truncated() const { return truncated_; }
  std::size_t capacity() const { return lines_.capacity(); }

  // Wraps the whole text to `width` pixels; 0 or less: at line breaks only.
  void Wrap(const EditText& text, CharWidths& widths, std::int32_t width);
  // After `removed` characters at `at` were replaced by `inserted` ones:
  // re-wraps from the line before the edit until the lines meet the old
  // wrapping again, and shifts the rest.
  void Update(const EditText& text, CharWidths& widths, std::size_t at, std::size_t removed, std::size_t inserted);
  // The line showing `index` (the last line whose start is not after it).
  std::size_t LineOf(std::size_t index) const;

 private:
  VisualLine WrapOne(EditText::Reader& reader, CharWidths& widths, std::size_t size) const;
  void Append(const VisualLine& line);
  // Wraps from the end of the table until the text ends or the table is full.
  void Continue(const EditText& text, CharWidths& widths);

  std::vector<VisualLine> lines_;
  std::int32_t width_ = 0;
  bool truncated_ = false;
};

}  // namespace vcam::dui
