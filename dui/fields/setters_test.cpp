// Attribute values and how each setter parses them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dui/core/attribute_names.h"
#include "dui/core/object.h"
#include "dui/fields/setter_registry.h"
#include "dui/fields/value_parsers.h"

namespace vcam::dui {
namespace {

using duiField::ParseColor;
using duiField::ParseInt;
using duiField::ParseRect;
using duiField::ParseSize;

TEST(ValueParsers, IntegerReadsLikePercentD) {
  EXPECT_EQ(ParseInt(u"136"), 136);
  EXPECT_EQ(ParseInt(u"  -30"), -30);
  EXPECT_EQ(ParseInt(u"+7"), 7);
  EXPECT_EQ(ParseInt(u"12px"), 12);
  EXPECT_EQ(ParseInt(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInt(u"2147483647"), INT32_MAX);
}

TEST(ValueParsers, IntegerWithoutDigitsOrOutOfRangeDoesNotMatch) {
  EXPECT_EQ(ParseInt(u""), std::nullopt);
  EXPECT_EQ(ParseInt(u"abc"), std::nullopt);
  EXPECT_EQ(ParseInt(u"-"), std::nullopt);
  EXPECT_EQ(ParseInt(u" + 3"), std::nullopt);
  EXPECT_EQ(ParseInt(u"2147483648"), std::nullopt);
  EXPECT_EQ(ParseInt(u"99999999999999999999"), std::nullopt);
}

TEST(ValueParsers, RectNeedsFourCommaSeparatedIntegers) {
  EXPECT_EQ(ParseRect(u"0,0,20,0"), (Rect{0, 0, 20, 0}));
  EXPECT_EQ(ParseRect(u"1, 2, 3, 4"), (Rect{1, 2, 3, 4})) << "%d skips white space before a number";
  EXPECT_EQ(ParseRect(u"1,2,3"), std::nullopt);
  EXPECT_EQ(ParseRect(u"1 ,2,3,4"), std::nullopt) << "the comma must follow the number";
  EXPECT_EQ(ParseRect(u"1,2,3,x"), std::nullopt);
  EXPECT_EQ(ParseRect(u""), std::nullopt);
}

TEST(ValueParsers, SizeNeedsTwoIntegers) {
  EXPECT_EQ(ParseSize(u"400,300"), (Size{400, 300}));
  EXPECT_EQ(ParseSize(u"400"), std::nullopt);
  EXPECT_EQ(ParseSize(u"400;300"), std::nullopt);
}

TEST(ValueParsers, ColourReadsSixHexDigitsAfterAnyFirstCharacter) {
  EXPECT_EQ(ParseColor(u"#FF8000"), 0x00FF8000u);
  EXPECT_EQ(ParseColor(u"#ff8000"), 0x00FF8000u);
  EXPECT_EQ(ParseColor(u"#GG0000"), 0x00000000u);
  EXPECT_EQ(ParseColor(u"#1G2H3I"), 0x00102030u) << "each non-digit counts as 0";
  EXPECT_EQ(ParseColor(u"xABCDEF"), 0x00ABCDEFu) << "the first character is not examined";
  EXPECT_EQ(ParseColor(u"#123456789"), 0x00123456u);
  EXPECT_EQ(ParseColor(u"#FFF"), std::nullopt);
  EXPECT_EQ(ParseColor(u"#FF800"), std::nullopt);
}

TEST(SetterRegistry, HoldsExactlyTheStandardVocabulary) {
  const SetterRegistry r = SetterRegistry::Standard();
  EXPECT_EQ(r.size(), 48u + 14u + 7u + 2u + 2u + 8u);
  for (auto name : {u"img", u"progressimg", u"grayTip", u"itemHeight", u"progressScaleGrid",
                    u"roundCorner", u"textColor", u"scrollvertical", u"cloDownSkin"})
    EXPECT_NE(r.Find(name), nullptr) << std::string(name, name + std::char_traits<char16_t>::length(name));
  for (auto name : {u"visible", u"enabled", u"transparent", u"scrollhorizontal", u"Width", u"dock "})
    EXPECT_EQ(r.Find(name), nullptr);
  // Every setter serves the interned name its registry entry is under.
  for (const auto& [name, setter] : r.all()) EXPECT_EQ(name, setter->name());
}

TEST(SetterRegistry, EachKindStoresIntoItsList) {
  const SetterRegistry r = SetterRegistry::Standard();
  Object o;
  r.Find(u"width")->Set(o, u"136");
  r.Find(u"margin")->Set(o, u"0,0,20,0");
  r.Find(u"initSize")->Set(o, u"400,300");
  r.Find(u"color")->Set(o, u"#FF8000");
  r.Find(u"dock")->Set(o, u"top");
  r.Find(u"text")->Set(o, u"程序版本");
  EXPECT_EQ(o.GetInt(attr::width, -1), 136);
  EXPECT_EQ(o.GetRect(attr::margin), (Rect{0, 0, 20, 0}));
  Size s;
  EXPECT_TRUE(o.FindSize(attr::initSize, &s));
  EXPECT_EQ(s, (Size{400, 300}));
  EXPECT_EQ(o.GetColor(attr::color, 0), 0x00FF8000u);
  EXPECT_EQ(o.GetKeyword(attr::dock, Keyword::Left), Keyword::Top);
  EXPECT_EQ(*o.FindString(attr::text), u"程序版本");
}

TEST(SetterRegistry, MalformedValuesSetNothingAndKeepAnEarlierValue) {
  const SetterRegistry r = SetterRegistry::Standard();
  Object o;
  r.Find(u"width")->Set(o, u"abc");
  r.Find(u"margin")->Set(o, u"1,2,3");
  r.Find(u"initSize")->Set(o, u"5");
  r.Find(u"color")->Set(o, u"#FFF");
  EXPECT_FALSE(o.FindValue(attr::width, nullptr));
  EXPECT_FALSE(o.FindRect(attr::margin, nullptr));
  EXPECT_FALSE(o.FindSize(attr::initSize, nullptr));
  EXPECT_FALSE(o.FindValue(attr::color, nullptr));
  r.Find(u"height")->Set(o, u"10");
  r.Find(u"height")->Set(o, u"ten");
  EXPECT_EQ(o.GetInt(attr::height, -1), 10);
}

TEST(SetterRegistry, UnknownKeywordStoresNullAndCapitalisedKeywordIsUnknown) {
  const SetterRegistry r = SetterRegistry::Standard();
  Object o;
  r.Find(u"horizontalAlign")->Set(o, u"Center");
  EXPECT_EQ(o.GetKeyword(attr::horizontalAlign, Keyword::Stretch), Keyword::None);
  r.Find(u"horizontalAlign")->Set(o, u"center");
  EXPECT_EQ(o.GetKeyword(attr::horizontalAlign, Keyword::Stretch), Keyword::Center);
}

TEST(SetterRegistry, AddReplacesAndRemoveDrops) {
  SetterRegistry r = SetterRegistry::Standard();
  const std::size_t n = r.size();
  r.Remove(u"scrollvertical");
  EXPECT_EQ(r.Find(u"scrollvertical"), nullptr);
  static const char16_t url[] = u"url";
  r.Add(std::make_unique<duiField::TextSetter>(url));
  r.Add(std::make_unique<duiField::TextSetter>(url));
  EXPECT_EQ(r.size(), n);
  Object o;
  r.Find(u"url")->Set(o, u"x");
  EXPECT_EQ(*o.FindString(url), u"x");
}

}  // namespace
}  // namespace vcam::dui
