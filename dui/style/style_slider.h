#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Slider" of a style file.
class Style_Slider : public Style {};

}  // namespace vcam::dui
