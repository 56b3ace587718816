#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// A button of the launcher's dialogs: its style's plain state skin, then its
// "icon" recoloured in the skin colour above its "text", the two centred as
// one block, the text in the skin colour.
class ConfirmButton : public Button {
 public:
  ConfirmButton() = default;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
};

}  // namespace vcam::dui
