#include "dui/controls/text/visual_lines.h"

#include <algorithm>

namespace vcam::dui {

std::int32_t EditCharWidth(CharWidths& widths, char16_t c) {
  if (c == u'\t') return 4 * widths.Width(u' ');
  if (c == u'\r' || c == u'\n') return 0;
  return widths.Width(c);
}

VisualLine VisualLines::WrapOne(EditText::Reader& reader, CharWidths& widths, std::size_t size) const {
  VisualLine line;
  line.start = static_cast<std::uint32_t>(reader.position());
  std::int32_t used = 0;
  while (!reader.done()) {
    const char16_t c = reader.Peek();
    if (c == u'\n' || c == u'\r') {
      line.end = static_cast<std::uint32_t>(reader.position());
      reader.Advance();
      if (c == u'\r' && !reader.done() && reader.Peek() == u'\n') reader.Advance();
      line.next = static_cast<std::uint32_t>(reader.position());
      return line;
    }
    const std::int32_t w = EditCharWidth(widths, c);
    // A character wider than the whole line still gets a line of its own.
    // No width at all (not arranged yet) breaks at line breaks only, rather
    // than giving every character a line.
    if (width_ > 0 && used + w > width_ && reader.position() > line.start) break;
    used += w;
    reader.Advance();
  }
  line.end = line.next = static_cast<std::uint32_t>(std::min(reader.position(), size));
  return line;
}

void VisualLines::Append(const VisualLine& line) {
  if (lines_.size() == lines_.capacity()) {
    std::size_t want = std::max(kPoolBlock, lines_.size() * 2);
    want = std::min(kMaxLines, (want + kPoolBlock - 1) / kPoolBlock * kPoolBlock);
    lines_.reserve(want);
  }
  lines_.push_back(line);
}

void VisualLines::Continue(const EditText& text, CharWidths& widths) {
  truncated_ = false;
  std::size_t pos = lines_.empty() ? 0 : lines_.back().next;
  if (!lines_.empty() && lines_.back().end == text.size()) return;  // the last line reaches the end
  EditText::Reader reader(text, pos);
  for (;;) {
    if (lines_.size() >= kMaxLines) {
      truncated_ = true;
      return;
    }
    const VisualLine line = WrapOne(reader, widths, text.size());
    Append(line);
    if (line.end == text.size() && !line.hard_break()) return;
  }
}

void VisualLines::Wrap(const EditText& text, CharWidths& widths, std::int32_t width) {
  width_ = width;
  lines_.clear();
  Continue(text, widths);
}

std::size_t VisualLines::LineOf(std::size_t index) const {
  const auto it = std::upper_bound(lines_.begin(), lines_.end(), index,
                                   [](std::size_t i, const VisualLine& l) { return i < l.start; });
  return it == lines_.begin() ? 0 : static_cast<std::size_t>(it - lines_.begin()) - 1;
}

void VisualLines::Update(const EditText& text, CharWidths& widths, std::size_t at, std::size_t removed,
                         std::size_t inserted) {
  if (lines_.empty()) {
    Continue(text, widths);
    return;
  }
  const bool was_truncated = truncated_;
  // The line before the edited one too: an edit at a line's start can change
  // the break that ends the line before (a CR meeting a new LF).
  std::size_t first = LineOf(at);
  if (first > 0) --first;
  const std::int64_t delta = static_cast<std::int64_t>(inserted) - static_cast<std::int64_t>(removed);
  const std::size_t edit_end = at + inserted;

  std::vector<VisualLine> fresh;
  std::size_t old = first + 1;  // the old line that may meet the new wrapping next
  std::size_t resume = lines_.size();  // the old lines kept from here on (none by default)
  EditText::Reader reader(text, lines_[first].start);
  bool full = false;
  for (;;) {
    if (first + fresh.size() >= kMaxLines) {
      full = true;
      break;
    }
    const VisualLine line = WrapOne(reader, widths, text.size());
    fresh.push_back(line);
    if (line.end == text.size() && !line.hard_break()) break;
    if (line.next < edit_end) continue;
    // Past the edit the text is the old one shifted by delta: an old line
    // starting here wraps exactly as before, and so does everything after it.
    while (old < lines_.size() && static_cast<std::int64_t>(lines_[old].start) + delta < line.next) ++old;
    if (old < lines_.size() && static_cast<std::int64_t>(lines_[old].start) + delta == line.next &&
        lines_[old].start >= at + removed) {
      resume = old;
      break;
    }
    if (old >= lines_.size() && was_truncated) break;  // the old table ended here: wrap the rest below
  }
  // Splice in place: shift the kept old lines, then swap the fresh lines in.
  for (std::size_t i = resume; i < lines_.size(); ++i) {
    VisualLine& l = lines_[i];
    l.start = static_cast<std::uint32_t>(l.start + delta);
    l.end = static_cast<std::uint32_t>(l.end + delta);
    l.next = static_cast<std::uint32_t>(l.next + delta);
  }
  const std::size_t replaced = resume - first;
  const std::size_t common = std::min(replaced, fresh.size());
  std::copy(fresh.begin(), fresh.begin() + static_cast<std::ptrdiff_t>(common),
            lines_.begin() + static_cast<std::ptrdiff_t>(first));
  if (fresh.size() > replaced)
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(resume), fresh.begin() + static_cast<std::ptrdiff_t>(common),
                  fresh.end());
  else
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first + common),
                 lines_.begin() + static_cast<std::ptrdiff_t>(resume));
  if (lines_.size() > kMaxLines) {
    lines_.resize(kMaxLines);
    full = true;
  }
  truncated_ = full;
  if (!full && was_truncated) Continue(text, widths);
}

}  // namespace vcam::dui
