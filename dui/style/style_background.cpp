#include "dui/style/style_background.h"

#include "dui/core/attribute_names.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style_Background::Draw(Painter& painter, const Rect& rect, Control&) {
  DrawSkin(painter, AttributeImage(*this, attr::img), rect, *this, attr::scaleGrid);
}

}  // namespace vcam::dui
