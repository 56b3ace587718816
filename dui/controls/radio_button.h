#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "RadioButton": checked by a click, cleared only by its owner.
class RadioButton : public Button {
 public:
  RadioButton() = default;
};

}  // namespace vcam::dui
