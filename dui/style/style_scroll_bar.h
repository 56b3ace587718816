#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ScrollBar" of a style file: bar, arrows and thumb of a ScrollBarParts control.
class Style_ScrollBar : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
