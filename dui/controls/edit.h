#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Edit": multi-line text editor (flags only so far; it neither paints nor edits yet).
class Edit : public Control {
 public:
  Edit() { SetFlag(ControlFlags::Focusable | ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true); }
};

}  // namespace vcam::dui
