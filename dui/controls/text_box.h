#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "TextBox": single-line text field of at most 2000 characters (flags only so far; no input yet).
class TextBox : public Control {
 public:
  TextBox() { SetFlag(ControlFlags::WantDoubleClick | ControlFlags::Focusable | ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
