#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "ImageButton": a button that draws its "img" stretched under its style.
class ImageButton : public Button {
 public:
  ImageButton() = default;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
};

}  // namespace vcam::dui
