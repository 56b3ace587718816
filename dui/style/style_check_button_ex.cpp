#include "dui/style/style_check_button_ex.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/skin/label_text.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

// Which eighth of the strip: the checked half below the plain one; in each
// half 3 disabled, 2 pressed, 1 hover, 0 up.
std::int32_t StateRow(std::uint32_t flags) {
  const std::int32_t half = (flags & ControlFlags::Checked) ? 4 : 0;
  if (!(flags & ControlFlags::Enabled)) return half + 3;
  if (flags & ControlFlags::Pressed) return half + 2;
  if (flags & ControlFlags::Hover) return half + 1;
  return half;
}

}  // namespace

void Style_CheckButtonEx::Draw(Painter& painter, const Rect& rect, Control& control) {
  const Texture* strip = AttributeImage(*this, attr::src);
  const Size size = ImageSize(strip);
  const std::int32_t h = size.cy / 8;
  // A strip shorter than eight rows has no icon to show; the text keeps its place.
  if (strip && h > 0) {
    const std::int32_t top = StateRow(control.flags()) * h;
    painter.DrawImage(*strip, {rect.left, rect.top, rect.left + size.cx, rect.top + h},
                      {0, top, size.cx, top + h});
  }
  const std::u16string* label = control.FindString(attr::text);
  if (!label) return;
  const Rect text{rect.left + size.cx + GetInt(attr::iconGap, 2) + 2, rect.top, rect.right, rect.bottom};
  DrawLabelText(painter, text, *label, ControlFont(control), GetColor(attr::textColor, 0xFFFFFF), LabelFormat::Check,
                painter.IsLayered());
}

}  // namespace vcam::dui
