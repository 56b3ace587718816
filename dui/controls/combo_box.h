#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "ComboBox": a text field whose list drops down in a popup window (flags only so far; nothing drops down yet).
class ComboBox : public Control {
 public:
  ComboBox() { SetFlag(ControlFlags::ButtonMark | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
