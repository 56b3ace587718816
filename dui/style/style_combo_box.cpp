#include "dui/style/style_combo_box.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/placement.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style_ComboBox::Draw(Painter& painter, const Rect& rect, Control& control) {
  Style::Draw(painter, rect, control);
  const Texture* drop = AttributeImage(*this, attr::dropBtn);
  const ComboLayout layout = PlaceCombo(rect, ImageSize(drop));
  if (drop) DrawNatural(painter, *drop, layout.drop.x, layout.drop.y);
  DrawLabelText(painter, layout.text, control.GetText(), nullptr, 0x666666, LabelFormat::Check, painter.IsLayered());
}

}  // namespace vcam::dui
