#include "dui/controls/toggle_button.h"

namespace vcam::dui {

ToggleButton::ToggleButton() { AddHandler(EventKind::Click, nullptr, &ToggleOnClick); }

}  // namespace vcam::dui
