#include "dui/style/style.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style::Draw(Painter& painter, const Rect& rect, Control& control) {
  DrawSkin(painter, AttributeImage(*this, StateSkinKey(control.flags())), rect, *this, attr::scaleGrid);
}

}  // namespace vcam::dui
