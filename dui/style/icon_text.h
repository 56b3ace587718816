#pragma once
// The icon and text of icon buttons, placed by the style's "textPlacement".
#include <string_view>

#include "dui/core/control.h"
#include "dui/core/painter.h"
#include "dui/skin/texture.h"

namespace vcam::dui {

class Style;

void DrawIconAndText(Painter& painter, const Rect& rect, const Style& style, const Control& control,
                     const Texture* icon, std::u16string_view text);

}  // namespace vcam::dui
