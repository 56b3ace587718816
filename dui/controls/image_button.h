#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "ImageButton": a button that draws its "img" under its style.
class ImageButton : public Button {
 public:
  ImageButton() = default;
};

}  // namespace vcam::dui
