#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// The scroll bar a ScrollPanel adds to itself.
class ScrollBar : public Control {
 public:
  ScrollBar() { SetFlag(ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
