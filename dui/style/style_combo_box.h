#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ComboBox" of a style file: the state skin, the drop button at the right and the text.
class Style_ComboBox : public Style {
 public:
  void Draw(Painter& painter, const Rect& rect, Control& control) override;
};

}  // namespace vcam::dui
