#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "CheckBox": a toggle painted with the style file "checkbox.xml".
class CheckBox : public Button {
 public:
  CheckBox() = default;
};

}  // namespace vcam::dui
