#include "dui/controls/label.h"

#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

constexpr std::uint32_t kDefaultColour = 0x333333;
constexpr std::uint32_t kLeft = TextFormat::NoPrefix | TextFormat::SingleLine | TextFormat::VCenter;  // 0x824

std::uint32_t AlignmentFormat(Keyword align) {
  if (align == Keyword::Center) return kLeft | TextFormat::Center;
  if (align == Keyword::Right) return kLeft | TextFormat::Right;
  return kLeft;
}

FontHandle LabelFont(const Control& label, const UiRuntime& runtime) {
  const std::u16string* name = label.FindString(attr::font);
  return runtime.GetFont(name ? std::u16string_view(*name) : u"Default");
}

}  // namespace

void Label::Paint(Painter& painter, const Rect& rect, const Rect&) {
  const std::u16string* text = FindString(attr::text);
  UiRuntime* runtime = UiRuntime::Instance();
  if (!text || text->empty() || !runtime) return;
  const Rect padding = GetRect(attr::padding);
  const Rect inner{rect.left + padding.left, rect.top + padding.top, rect.right - padding.right,
                   rect.bottom - padding.bottom};
  painter.DrawText(*text, LabelFont(*this, *runtime), GetColor(attr::color, kDefaultColour),
                   AlignmentFormat(GetKeyword(attr::textAlign, Keyword::None)), inner, painter.IsLayered());
}

Size Label::MeasureOverride(std::int32_t, std::int32_t) {
  const Rect padding = GetRect(attr::padding);
  Size size;
  const std::u16string* text = FindString(attr::text);
  UiRuntime* runtime = UiRuntime::Instance();
  if (text && !text->empty() && runtime) {
    UiPlatform& platform = runtime->platform();
    const FontHandle font = LabelFont(*this, *runtime);
    size.cx = platform.MeasureText(font, *text, TextFormat::NoPrefix | TextFormat::CalcRect | TextFormat::SingleLine).cx;
    size.cy = platform.FontHeight(font);
  }
  return {size.cx + padding.left + padding.right, size.cy + padding.top + padding.bottom};
}

}  // namespace vcam::dui
