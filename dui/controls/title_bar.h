#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "TitleBar": pressing it drags the window.
class TitleBar : public Control {
 public:
  TitleBar() = default;
};

}  // namespace vcam::dui
