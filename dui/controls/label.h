#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Label": text with padding, alignment, colour and font; never hit.
class Label : public Control {
 public:
  Label() { SetFlag(ControlFlags::HitTransparent, true); }
};

}  // namespace vcam::dui
