#pragma once
// The text of a multi-line editor: a chain of chunks of at most kChunk
// characters, so that an edit moves at most one chunk's characters and the
// chunk starts, never the whole text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::dui {

class EditText {
 public:
  static constexpr std::size_t kChunk = 2012;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::size_t chunk_count() const { return chunks_.size(); }

  void Assign(std::u16string_view text);
  char16_t At(std::size_t index) const;  // index < size()
  // [from, to), clamped to the text.
  std::u16string Copy(std::size_t from, std::size_t to) const;
  std::u16string Text() const { return Copy(0, size_); }
  void Insert(std::size_t at, std::u16string_view text);  // at clamped to the size
  void Erase(std::size_t from, std::size_t to);             // clamped to the text

  // Reads forward from a position without searching the chain each time.
  class Reader {
   public:
    Reader(const EditText& text, std::size_t at);
    std::size_t position() const { return position_; }
    bool done() const { return position_ >= text_.size_; }
    char16_t Peek() const { return text_.chunks_[chunk_][offset_]; }  // not done()
    void Advance();

   private:
    const EditText& text_;
    std::size_t position_;
    std::size_t chunk_ = 0;
    std::size_t offset_ = 0;
  };

 private:
  // The chunk holding `index` (the last one for index == size) and the offset in it.
  std::size_t ChunkOf(std::size_t index) const;
  void Restart(std::size_t from_chunk);
  // Splits chunk i into pieces of at most kChunk characters.
  void Split(std::size_t i);

  std::vector<std::u16string> chunks_;
  std::vector<std::size_t> starts_;
  std::size_t size_ = 0;
};

}  // namespace vcam::dui
