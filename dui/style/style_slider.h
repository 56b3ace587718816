#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Slider" of a style file: bar, track and thumb of a SliderParts control.
class Style_Slider : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
