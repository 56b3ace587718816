#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ToggleButton" of a style file: a state skin with checked variants, then the text.
class Style_ToggleButton : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
