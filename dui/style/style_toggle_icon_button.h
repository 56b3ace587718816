#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ToggleIconButton" of a style file: a state skin, then icon and text, the "off" ones while checked.
class Style_ToggleIconButton : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
