#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ToggleIconButton" of a style file.
class Style_ToggleIconButton : public Style {};

}  // namespace vcam::dui
