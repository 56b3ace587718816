#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "IconButton" of a style file: the state skin, then icon and text placed together.
class Style_IconButton : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
