#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Edit" of a style file.
class Style_Edit : public Style {};

}  // namespace vcam::dui
