#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// Element "RadioButton": checked by a click, cleared only by its owner (radio
// buttons do not clear each other). Painted with the style file
// "radiobutton.xml", whatever its "style" attribute says.
class RadioButton : public Button {
 public:
  RadioButton();

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;

 private:
  static void SelectOnClick(void* context, Control* sender, EventArgs& args);
};

}  // namespace vcam::dui
