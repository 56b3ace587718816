#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Button": a push button (RouteStop, captures the mouse on press,
// redrawn on state changes). Releasing the mouse over a pressed button posts
// a Click to it.
class Button : public Control {
 public:
  Button();

 protected:
  // Click handler of the toggles and the check box: flips Checked and raises ValueChange.
  static void ToggleOnClick(void* context, Control* sender, EventArgs& args);
  // Repaints the control and tells its handlers that its value changed.
  static void AnnounceValueChange(Control& control);

 private:
  static void DetectClick(void* context, Control* sender, EventArgs& args);
};

}  // namespace vcam::dui
