#include "dui/controls/text/edit_text.h"

#include <algorithm>

namespace vcam::dui {

void EditText::Assign(std::u16string_view text) {
  chunks_.clear();
  starts_.clear();
  for (std::size_t at = 0; at < text.size(); at += kChunk) {
    starts_.push_back(at);
    chunks_.emplace_back(text.substr(at, kChunk));
  }
  size_ = text.size();
}

std::size_t EditText::ChunkOf(std::size_t index) const {
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), index);
  return it == starts_.begin() ? 0 : static_cast<std::size_t>(it - starts_.begin()) - 1;
}

char16_t EditText::At(std::size_t index) const {
  const std::size_t c = ChunkOf(index);
  return chunks_[c][index - starts_[c]];
}

std::u16string EditText::Copy(std::size_t from, std::size_t to) const {
  to = std::min(to, size_);
  std::u16string out;
  if (from >= to) return out;
  out.reserve(to - from);
  for (std::size_t c = ChunkOf(from); c < chunks_.size() && starts_[c] < to; ++c) {
    const std::size_t begin = from > starts_[c] ? from - starts_[c] : 0;
    const std::size_t end = std::min(chunks_[c].size(), to - starts_[c]);
    out.append(chunks_[c], begin, end - begin);
  }
  return out;
}

void EditText::Restart(std::size_t from_chunk) {
  std::size_t at = from_chunk == 0 ? 0 : starts_[from_chunk - 1] + chunks_[from_chunk - 1].size();
  for (std::size_t c = from_chunk; c < chunks_.size(); ++c) {
    starts_[c] = at;
    at += chunks_[c].size();
  }
  size_ = at;
}

void EditText::Split(std::size_t i) {
  if (chunks_[i].size() <= kChunk) return;
  std::u16string whole = std::move(chunks_[i]);
  // Halves rather than full chunks, so that the next keystroke in the same
  // place does not split again at once.
  const std::size_t piece = whole.size() <= 2 * kChunk ? (whole.size() + 1) / 2 : kChunk;
  std::vector<std::u16string> pieces;
  for (std::size_t at = 0; at < whole.size(); at += piece) pieces.emplace_back(whole.substr(at, piece));
  chunks_[i] = std::move(pieces[0]);
  chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::make_move_iterator(pieces.begin() + 1),
                 std::make_move_iterator(pieces.end()));
  starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(i) + 1, pieces.size() - 1, 0);
}

void EditText::Insert(std::size_t at, std::u16string_view text) {
  if (text.empty()) return;
  at = std::min(at, size_);
  if (chunks_.empty()) {
    Assign(text);
    return;
  }
  const std::size_t c = ChunkOf(at);
  chunks_[c].insert(at - starts_[c], text.data(), text.size());
  Split(c);
  Restart(c);
}

void EditText::Erase(std::size_t from, std::size_t to) {
  to = std::min(to, size_);
  if (from >= to) return;
  const std::size_t first = ChunkOf(from);
  std::size_t c = first;
  while (c < chunks_.size() && starts_[c] < to) {
    const std::size_t begin = from > starts_[c] ? from - starts_[c] : 0;
    const std::size_t end = std::min(chunks_[c].size(), to - starts_[c]);
    chunks_[c].erase(begin, end - begin);
    ++c;
  }
  // Drop the chunks that became empty (starts_ is rebuilt below).
  std::size_t keep = first;
  for (std::size_t i = first; i < chunks_.size(); ++i) {
    if (i < c && chunks_[i].empty()) continue;
    if (keep != i) chunks_[keep] = std::move(chunks_[i]);
    ++keep;
  }
  chunks_.resize(keep);
  starts_.resize(keep);
  Restart(std::min(first, keep));
}

EditText::Reader::Reader(const EditText& text, std::size_t at) : text_(text), position_(std::min(at, text.size_)) {
  if (!text.chunks_.empty()) {
    chunk_ = text.ChunkOf(position_);
    offset_ = position_ - text.starts_[chunk_];
  }
}

void EditText::Reader::Advance() {
  ++position_;
  if (++offset_ >= text_.chunks_[chunk_].size() && chunk_ + 1 < text_.chunks_.size()) {
    ++chunk_;
    offset_ = 0;
  }
}

}  // namespace vcam::dui
