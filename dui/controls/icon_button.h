#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "IconButton": a button with an icon and text placed by its style.
class IconButton : public Button {
 public:
  IconButton() = default;
};

}  // namespace vcam::dui
