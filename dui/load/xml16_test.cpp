// rapidxml over UTF-16 text, including characters whose low byte is markup.
#include <gtest/gtest.h>

#include <string>

#include "dui/load/text_resource.h"
#include "dui/load/xml16.h"

namespace vcam::dui {
namespace {

TEST(Xml16, CharactersAboveLatin1AreNeverMarkup) {
  // U+4E22 has the low byte of '"', U+4E3C of '<', U+4E20 of ' ', U+4E26 of '&'.
  std::u16string text = u"<a t=\"\u4E22\u4E3C\u4E20\u4E26\" u='\u4E27'>\u4E3C\u4E22</a>";
  XmlDocument doc;
  ASSERT_TRUE(ParseXml(doc, text.data()));
  const XmlElement* a = RootElement(doc);
  ASSERT_NE(a, nullptr);
  const XmlAttribute* t = a->first_attribute();
  EXPECT_EQ(ValueOf(*t), u"\u4E22\u4E3C\u4E20\u4E26");
  EXPECT_EQ(ValueOf(*t->next_attribute()), u"\u4E27");
  EXPECT_EQ(std::u16string_view(a->value(), a->value_size()), u"\u4E3C\u4E22");
}

TEST(Xml16, ElementAndAttributeNamesMayBeChinese) {
  std::u16string text = u"<\u7A97\u53E3 \u540D=\"1\"/>";
  XmlDocument doc;
  ASSERT_TRUE(ParseXml(doc, text.data()));
  EXPECT_EQ(NameOf(*RootElement(doc)), u"\u7A97\u53E3");
  EXPECT_EQ(NameOf(*RootElement(doc)->first_attribute()), u"\u540D");
}

TEST(Xml16, CharacterReferencesBecomeUtf16) {
  std::u16string text = u"<a t=\"&#x41;&#26412;&#x1F600;&amp;&#xD800;\"/>";
  XmlDocument doc;
  ASSERT_TRUE(ParseXml(doc, text.data()));
  EXPECT_EQ(ValueOf(*RootElement(doc)->first_attribute()), u"A\u672C\U0001F600&\uFFFD");
}

TEST(Xml16, MalformedTextIsRefusedWithoutThrowing) {
  for (std::u16string text : {u"<a", u"<a t=\"x></a>", u"<a t=x/>", u"<a><b></a>", u"<>"}) {
    XmlDocument doc;
    EXPECT_FALSE(ParseXml(doc, text.data())) << std::string(text.begin(), text.end());
  }
}

TEST(Xml16, NestingDeeperThanAnyLayoutIsRefused) {
  std::u16string deep;
  for (int i = 0; i < 300; ++i) deep += u"<a>";
  for (int i = 0; i < 300; ++i) deep += u"</a>";
  XmlDocument doc;
  EXPECT_FALSE(ParseXml(doc, deep.data()));
  std::u16string wide;
  for (int i = 0; i < 2000; ++i) wide += u"<a><b/></a>";
  wide = u"<r>" + wide + u"</r>";
  EXPECT_TRUE(ParseXml(doc, wide.data())) << "many siblings are fine";
}

TEST(Xml16, FirstElementSkipsTextAndComments) {
  std::u16string text = u"<r>text<!-- c --><x/>more<y/></r>";
  XmlDocument doc;
  ASSERT_TRUE(ParseXml(doc, text.data()));
  const XmlElement* x = FirstChildElement(*RootElement(doc));
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(NameOf(*x), u"x");
  ASSERT_NE(NextSiblingElement(*x), nullptr);
  EXPECT_EQ(NameOf(*NextSiblingElement(*x)), u"y");
  EXPECT_EQ(NextSiblingElement(*NextSiblingElement(*x)), nullptr);
}

TEST(TextResource, OnlyARealByteOrderMarkIsSkipped) {
  EXPECT_EQ(DecodeTextResource("\xEF\xBB\xBF<a/>"), u"<a/>");
  EXPECT_EQ(DecodeTextResource("<a/>"), u"<a/>");
  EXPECT_EQ(DecodeTextResource("\xEF\xBB"), u"\uFFFD");
  EXPECT_EQ(DecodeTextResource("\xE7\xA8\x8B\xE5\xBA\x8F"), u"程序");
  EXPECT_EQ(DecodeTextResource(""), u"");
}

}  // namespace
}  // namespace vcam::dui
