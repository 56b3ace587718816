#pragma once
#include <cstdint>

#include "dui/core/control.h"

namespace vcam::dui {

// Element "ProgressBar": fills position / range of its inner rectangle. The
// owner sets range and position directly and invalidates the bar; position is
// not clamped.
class ProgressBar : public Control {
 public:
  ProgressBar() { SetFlag(ControlFlags::HitTransparent, true); }

  std::int32_t range = 1;
  std::int32_t position = 0;
};

}  // namespace vcam::dui
