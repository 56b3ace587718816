#pragma once
// The text rules of the consumer list: a NUL-terminated UTF-16 text of at most
// 2,048 units (terminator included) made of executable paths each followed by
// ";". Works on a snapshot of the region, so a region written without a
// terminator or changed by another party cannot make it read out of bounds.
// Everything but pieces() works in place without allocating, so the filter
// module can use it under the loader lock without anything to throw.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "camera/channel/channel_names.h"

namespace vcam::camera {

class ConsumerListText {
 public:
  // Takes the text up to the first NUL, or all kListCapacity units when
  // there is none (the last unit then makes room for a terminator on store).
  explicit ConsumerListText(std::span<const char16_t> region);

  std::u16string_view text() const { return {units_.data(), length_}; }

  // The path occurs anywhere in the text, also inside a longer entry.
  bool contains(std::u16string_view path) const;

  // Appends the path and ";" unless the text contains the path already. A
  // last entry that another party left without its ";" gets it first, so
  // readers of ";"-ended entries see both. All of it goes in or nothing: a
  // cut path would name another file. True when the text changed.
  bool add(std::u16string_view path);

  // When the text contains the path, rebuilds it from its pieces (split at
  // ";", empty pieces dropped, a trailing unterminated piece kept) without the
  // pieces exactly equal to the path, each followed by ";". True when it was
  // rebuilt.
  bool remove(std::u16string_view path);

  // The pieces between ";" in order, empty ones dropped; with
  // `include_trailing` also a last piece that no ";" ends. Allocates, and so
  // may throw std::bad_alloc: for readers of the list, not for the module.
  std::vector<std::u16string> pieces(bool include_trailing) const;

  // Writes the whole region: the text, then zeros to the end.
  void store(std::span<char16_t> region) const;

 private:
  bool append(std::u16string_view s);

  std::array<char16_t, kListCapacity> units_{};
  std::size_t length_ = 0;
};

}  // namespace vcam::camera
