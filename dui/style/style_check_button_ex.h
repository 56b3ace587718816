#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "CheckButtonEx" of a style file: one "src" image holding eight
// icons stacked (up, hover, pressed, disabled, then the same checked) drawn at
// the control's origin, the text after it.
class Style_CheckButtonEx : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
