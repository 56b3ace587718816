#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "CheckButton" of a style file: a state icon at the left, the text after it.
class Style_CheckButton : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
