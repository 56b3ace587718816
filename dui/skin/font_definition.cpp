#include "dui/skin/font_definition.h"

#include "dui/fields/value_parsers.h"
#include "dui/load/xml16.h"

namespace vcam::dui {

namespace {

// LOGFONTW's face name holds 32 characters with the terminator.
constexpr std::size_t kMaxFace = 31;

}  // namespace

std::vector<FontDefinition> ParseFontDefinitions(std::u16string text) {
  std::vector<FontDefinition> fonts;
  XmlDocument document;
  if (!ParseXml(document, text.data())) return fonts;
  const XmlElement* root = RootElement(document);
  if (!root) return fonts;
  for (const XmlElement* e = FirstChildElement(*root); e; e = NextSiblingElement(*e)) {
    FontDefinition font;
    bool named = false;
    for (const XmlAttribute* a = e->first_attribute(); a; a = a->next_attribute()) {
      const std::u16string_view name = NameOf(*a);
      const std::u16string_view value = ValueOf(*a);
      if (name == u"name") {
        font.name = value;
        named = true;
      } else if (name == u"face") {
        font.face = std::u16string(value.substr(0, kMaxFace));
      } else if (name == u"size") {
        if (const auto size = duiField::ParseInt(value)) font.height = -*size;
      } else if (name == u"bold") {
        font.weight = value == u"true" ? 700 : 400;
      } else if (name == u"underline") {
        font.underline = value == u"true";
      }
    }
    if (named) fonts.push_back(std::move(font));
  }
  return fonts;
}

}  // namespace vcam::dui
