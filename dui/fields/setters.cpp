#include "dui/fields/setters.h"

#include <string>

#include "dui/core/keyword.h"
#include "dui/fields/value_parsers.h"

namespace vcam::dui::duiField {

void IntSetter::Set(Object& object, std::u16string_view value) const {
  if (const auto v = ParseInt(value)) object.SetValue(name(), *v);
}

void RectSetter::Set(Object& object, std::u16string_view value) const {
  if (const auto r = ParseRect(value)) object.SetRect(name(), *r);
}

void SizeSetter::Set(Object& object, std::u16string_view value) const {
  if (const auto s = ParseSize(value)) object.SetSize(name(), *s);
}

void EnumSetter::Set(Object& object, std::u16string_view value) const {
  object.SetKeyword(name(), FindKeyword(value));
}

void ColorSetter::Set(Object& object, std::u16string_view value) const {
  if (const auto c = ParseColor(value)) object.SetValue(name(), static_cast<std::int32_t>(*c));
}

void TextSetter::Set(Object& object, std::u16string_view value) const {
  object.SetString(name(), std::u16string(value));
}

}  // namespace vcam::dui::duiField
