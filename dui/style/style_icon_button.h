#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "IconButton" of a style file.
class Style_IconButton : public Style {};

}  // namespace vcam::dui
