#pragma once
#include "dui/controls/button.h"

namespace vcam::dui {

// A button with a recoloured icon over its text, used by the launcher's dialogs.
class ConfirmButton : public Button {
 public:
  ConfirmButton() = default;
};

}  // namespace vcam::dui
