#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Button" of a style file.
class Style_Button : public Style {};

}  // namespace vcam::dui
