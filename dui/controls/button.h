#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Button": a push button (RouteStop, captures the mouse on press, redrawn on state changes).
class Button : public Control {
 public:
  Button() { SetFlag(ControlFlags::ButtonSet, true); }
};

}  // namespace vcam::dui
