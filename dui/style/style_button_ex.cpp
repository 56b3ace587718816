#include "dui/style/style_button_ex.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

// Which quarter of the strip: 3 disabled, 2 pressed, 1 hover, 0 up.
std::int32_t StateRow(std::uint32_t flags) {
  if (!(flags & ControlFlags::Enabled)) return 3;
  if (flags & ControlFlags::Pressed) return 2;
  if (flags & ControlFlags::Hover) return 1;
  return 0;
}

}  // namespace

void Style_ButtonEx::Draw(Painter& painter, const Rect& rect, Control& control) {
  if (const Texture* strip = AttributeImage(*this, attr::src)) {
    const Size size = ImageSize(strip);
    const std::int32_t h = size.cy / 4;
    // A strip shorter than four rows has no states to show.
    if (h > 0) {
      const std::int32_t top = StateRow(control.flags()) * h;
      painter.DrawImage(*strip, rect, {0, top, size.cx, top + h});
    }
  }
  const std::u16string* label = control.FindString(attr::text);
  if (!label) return;
  Rect text = rect;
  // Only the exact value 1 moves a pressed button's text.
  if (control.HasFlag(ControlFlags::Pressed) && GetInt(attr::downOffset, 0) == 1) text = text.offset(1, 1);
  DrawLabelText(painter, text, *label, ControlFont(control), GetColor(attr::textColor, 0xFFFFFF),
                LabelFormat::Button, painter.IsLayered());
}

}  // namespace vcam::dui
