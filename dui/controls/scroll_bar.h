#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// The scroll bar a ScrollPanel adds to itself (flags only so far; it neither paints nor scrolls yet).
class ScrollBar : public Control {
 public:
  ScrollBar() { SetFlag(ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
