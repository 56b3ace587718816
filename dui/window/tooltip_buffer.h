#pragma once
// The text the tooltip window asks for when it shows: one buffer for the
// process, which the tooltip reads before anything can overwrite it.
#include <cstddef>
#include <string_view>

namespace vcam::dui {

class TooltipBuffer {
 public:
  static constexpr std::size_t kCapacity = 128;  // 127 characters and the terminator

  // Copies at most 127 characters of `text` and terminates; returns the buffer.
  static const char16_t* Fill(std::u16string_view text);
  static const char16_t* Text();
};

}  // namespace vcam::dui
