#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Background" of a style file.
class Style_Background : public Style {};

}  // namespace vcam::dui
