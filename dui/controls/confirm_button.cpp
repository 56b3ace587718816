#include "dui/controls/confirm_button.h"

#include <string>

#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture.h"
#include "dui/skin/texture_drawing.h"

namespace vcam::dui {

namespace {

constexpr std::int32_t kDefaultIconGap = 2;

// The skin colour as GDI takes it. The rule file gives it as 0x00RRGGBB, the
// way the recoloured icon shows it; handed over unchanged it would reach
// SetTextColor with red and blue swapped, so the text would not match its icon.
std::uint32_t SkinColour(const UiRuntime& runtime) {
  const std::uint32_t rgb = runtime.skin_colour();
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

void ConfirmButton::Paint(Painter& painter, const Rect& rect, const Rect&) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return;
  Style* style = nullptr;
  if (const std::u16string* name = FindString(attr::style)) style = runtime->GetStyle(*name);
  // 1. Only the state skin: a button style's own drawing would add its text.
  if (style) style->Style::Draw(painter, rect, *this);

  // 2. The block: icon, gap, one line of text, centred vertically.
  const std::u16string& text = GetText();
  const std::u16string* font_name = FindString(attr::font);
  const FontHandle font = runtime->GetFont(font_name ? std::u16string_view(*font_name) : u"Default");
  const std::int32_t th = painter.MeasureText(text, font, TextFormat::CalcRect | TextFormat::SingleLine).cy;
  const Texture* icon = nullptr;
  if (const std::u16string* icon_name = FindString(attr::icon)) icon = runtime->GetImage(*icon_name + u"@set_skin_color");
  const std::int32_t iw = icon ? icon->width() : 0;
  const std::int32_t ih = icon ? icon->height() : 0;
  const std::int32_t gap = style ? style->GetInt(attr::iconGap, kDefaultIconGap) : kDefaultIconGap;
  const std::int32_t y0 = (rect.top + rect.bottom - th - ih - gap) / 2;

  // 3. The icon at its own size, the text below it.
  if (icon) DrawNatural(painter, *icon, (rect.left + rect.right - iw) / 2, y0);
  if (!text.empty())
    painter.DrawText(text, font, SkinColour(*runtime), TextFormat::Center | TextFormat::SingleLine,
                     {rect.left, y0 + ih + gap, rect.right, rect.bottom}, painter.IsLayered());
}

}  // namespace vcam::dui
