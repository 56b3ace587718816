#include "dui/skin/label_text.h"

namespace vcam::dui {

void DrawLabelText(Painter& painter, const Rect& rect, std::u16string_view text, FontHandle font,
                   std::uint32_t colour, std::uint32_t format, bool fix_alpha) {
  if (text.empty() || rect.empty()) return;
  painter.DrawText(text, font, colour, format, rect, fix_alpha);
}

void DrawLabelTextLeft(Painter& painter, const Rect& rect, std::u16string_view text, FontHandle font,
                       std::uint32_t colour, bool fix_alpha) {
  DrawLabelText(painter, rect, text, font, colour, LabelFormat::Left, fix_alpha);
}

}  // namespace vcam::dui
