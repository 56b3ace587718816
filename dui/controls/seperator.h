#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Elements "Seperator" and "Separator": a line painted by its style; never hit.
class Seperator : public Control {
 public:
  Seperator() { SetFlag(ControlFlags::HitTransparent, true); }
};

}  // namespace vcam::dui
