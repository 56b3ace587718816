#pragma once
#include <cstdint>

#include "dui/core/control.h"

namespace vcam::dui {

// Element "ProgressBar": "progressimg" fills position / range of the inner
// rectangle ("progressmargin" inside the bar) over "progressbkimg". The owner
// sets range and position directly and invalidates the bar; position is not
// clamped, but the fill never leaves the inner rectangle.
class ProgressBar : public Control {
 public:
  ProgressBar() { SetFlag(ControlFlags::HitTransparent, true); }

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;

  // The filled width of an inner rectangle `inner_width` wide, in 0..inner_width.
  // Single precision by default; 32-bit integer arithmetic when `integer` is set.
  static std::int32_t FillWidth(std::int32_t position, std::int32_t range, std::int32_t inner_width, bool integer);

  std::int32_t range = 1;
  std::int32_t position = 0;
};

}  // namespace vcam::dui
