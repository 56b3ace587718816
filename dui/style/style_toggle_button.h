#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ToggleButton" of a style file.
class Style_ToggleButton : public Style {};

}  // namespace vcam::dui
