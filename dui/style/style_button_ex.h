#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ButtonEx" of a style file: one "src" image holding the four
// states stacked (up, hover, pressed, disabled), then the control's text centred.
class Style_ButtonEx : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
