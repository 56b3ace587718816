#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "CheckBox": a toggle painted with the style file "checkbox.xml",
// whatever its "style" attribute says.
class CheckBox : public Button {
 public:
  CheckBox();

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
};

}  // namespace vcam::dui
