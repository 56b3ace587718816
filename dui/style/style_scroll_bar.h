#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ScrollBar" of a style file.
class Style_ScrollBar : public Style {};

}  // namespace vcam::dui
