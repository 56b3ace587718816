#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Slider": a value from 0 to a maximum chosen with a thumb (flags only so far; no thumb yet).
class Slider : public Control {
 public:
  Slider() { SetFlag(ControlFlags::WheelInput | ControlFlags::ButtonMark | ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
