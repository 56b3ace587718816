#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "ToggleButton": a button whose Checked flag flips on each click.
class ToggleButton : public Button {
 public:
  ToggleButton();
};

}  // namespace vcam::dui
