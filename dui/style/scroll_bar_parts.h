#pragma once
// What the scroll bar style needs from a scroll bar: the rectangles of its
// arrows and thumb and which part is pressed or hovered. The scroll bar
// control derives from this.
#include <cstdint>

#include "dui/core/control.h"

namespace vcam::dui {

// Part codes of the pressed part; the hovered part uses the same codes.
struct ScrollBarPart {
  static constexpr std::uint32_t None = 0;
  static constexpr std::uint32_t UpArrow = 0x10;
  static constexpr std::uint32_t DownArrow = 0x20;
  static constexpr std::uint32_t Thumb = 0x40;
  static constexpr std::uint32_t PageUp = 0x1000;
  static constexpr std::uint32_t PageDown = 0x2000;
};

class ScrollBarParts : public Control {
 public:
  // Rectangles in the bar's own coordinates (origin at its top-left).
  virtual Rect UpArrowRect() const = 0;
  virtual Rect DownArrowRect() const = 0;
  virtual Rect ThumbRect() const = 0;
  // A ScrollBarPart code, None when no part is.
  virtual std::uint32_t PressedPart() const = 0;
  virtual std::uint32_t HoveredPart() const = 0;
};

}  // namespace vcam::dui
