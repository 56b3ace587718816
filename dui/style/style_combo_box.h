#pragma once
#include "dui/style/style.h"

namespace vcam::dui {

// Skin class "ComboBox" of a style file.
class Style_ComboBox : public Style {};

}  // namespace vcam::dui
