#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "Edit" of a style file: the state skin, as "Style".
class Style_Edit : public Style {};

}  // namespace vcam::dui
