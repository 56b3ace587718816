#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "CheckButton" of a style file.
class Style_CheckButton : public Style {};

}  // namespace vcam::dui
