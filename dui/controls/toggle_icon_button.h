#pragma once
#include "dui/controls/toggle_button.h"

namespace vcam::dui {

// Element "ToggleIconButton": a toggle showing "offIcon" / "offText" while checked.
class ToggleIconButton : public ToggleButton {
 public:
  ToggleIconButton() = default;
};

}  // namespace vcam::dui
