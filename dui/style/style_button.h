#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Button" of a style file: the state skin, then the control's text centred.
class Style_Button : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
