#include "dui/style/icon_text.h"

#include "dui/core/attribute_names.h"
#include "dui/skin/label_text.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/placement.h"
#include "dui/style/style.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

TextPlacement PlacementOf(const Style& style) {
  switch (style.GetKeyword(attr::textPlacement, Keyword::Right)) {
    case Keyword::Left:
      return TextPlacement::Left;
    case Keyword::Bottom:
      return TextPlacement::Bottom;
    default:
      return TextPlacement::Right;
  }
}

}  // namespace

void DrawIconAndText(Painter& painter, const Rect& rect, const Style& style, const Control& control,
                     const Texture* icon, std::u16string_view text) {
  const FontHandle font = ControlFont(control);
  const std::uint32_t colour = style.GetColor(attr::textColor, 0);
  const bool pressed_offset = control.HasFlag(ControlFlags::Pressed) && style.GetInt(attr::downOffset, 0) == 1;
  const std::int32_t shift = pressed_offset ? 1 : 0;
  if (!icon) {
    DrawLabelText(painter, rect.offset(shift, shift), text, font, colour, LabelFormat::Button, painter.IsLayered());
    return;
  }
  const Size measured = text.empty() ? Size{} : painter.MeasureText(text, font, LabelFormat::Measure);
  const IconTextLayout layout =
      PlaceIconAndText(rect, ImageSize(icon), measured, style.GetInt(attr::iconGap, 2), PlacementOf(style));
  DrawNatural(painter, *icon, layout.icon.x, layout.icon.y);
  DrawLabelText(painter, layout.text.offset(shift, shift), text, font, colour, layout.text_format,
                painter.IsLayered());
}

}  // namespace vcam::dui
