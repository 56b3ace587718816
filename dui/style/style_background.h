#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Background" of a style file: the style's "img" over the rectangle, nine-slice with "scaleGrid".
class Style_Background : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
