#include "dui/style/style_icon_button.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/style/icon_text.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style_IconButton::Draw(Painter& painter, const Rect& rect, Control& control) {
  Style::Draw(painter, rect, control);
  DrawIconAndText(painter, rect, *this, control, AttributeImage(control, attr::icon), control.GetText());
}

}  // namespace vcam::dui
