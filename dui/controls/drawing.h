#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Image": draws its "src" image stretched over its rectangle.
class Drawing : public Control {
 public:
  Drawing() = default;
};

}  // namespace vcam::dui
