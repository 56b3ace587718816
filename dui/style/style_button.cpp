#include "dui/style/style_button.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style_Button::Draw(Painter& painter, const Rect& rect, Control& control) {
  Style::Draw(painter, rect, control);
  Rect text = rect;
  // Only the exact value 1 moves a pressed button's text.
  if (control.HasFlag(ControlFlags::Pressed) && GetInt(attr::downOffset, 0) == 1) text = text.offset(1, 1);
  DrawLabelText(painter, text, control.GetText(), ControlFont(control), GetColor(attr::textColor, 0x333333),
                LabelFormat::Button, painter.IsLayered());
}

}  // namespace vcam::dui
