// rapidxml over UTF-16 text, including characters whose low byte is markup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
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

std::u16string Nested(int depth, std::u16string_view open, std::u16string_view leaf = u"") {
  std::u16string text;
  for (int i = 0; i < depth; ++i) text += open;
  text += leaf;
  for (int i = 0; i < depth; ++i) text += u"</a>";
  return text;
}

bool Parses(std::u16string text) {
  XmlDocument doc;
  return ParseXml(doc, text.data());
}

TEST(Xml16Nesting, TwoHundredFiftySixLevelsParseAndOneMoreIsRefused) {
  EXPECT_TRUE(Parses(Nested(256, u"<a>")));
  EXPECT_FALSE(Parses(Nested(257, u"<a>")));
  EXPECT_TRUE(Parses(Nested(255, u"<a>", u"<b/>"))) << "a self-closed leaf at level 256";
  EXPECT_FALSE(Parses(Nested(256, u"<a>", u"<b/>"))) << "a self-closed leaf at level 257";
  EXPECT_FALSE(Parses(Nested(100000, u"<a>")));
  std::u16string wide;
  for (int i = 0; i < 2000; ++i) wide += u"<a><b/></a>";
  EXPECT_TRUE(Parses(u"<r>" + wide + u"</r>")) << "many siblings are fine";
}

TEST(Xml16Nesting, MarkupLookalikesInTextAndValuesDoNotHideNesting) {
  // Text "/>" and "</" inside attribute values closed nothing for the parser,
  // which nests these 300 deep.
  EXPECT_FALSE(Parses(Nested(300, u"<a>/>")));
  EXPECT_FALSE(Parses(Nested(300, u"<a t=\"/>\">")));
  EXPECT_FALSE(Parses(Nested(300, u"<a t='</a>'>")));
  EXPECT_TRUE(Parses(Nested(256, u"<a t=\"/>\" u='x'>/>")));
  // "<!" markup other than comments, CDATA and DOCTYPE ends at its first '>'.
  EXPECT_FALSE(Parses(u"<r><!x [>" + Nested(300, u"<a>") + u"]></r>"));
}

TEST(Xml16Nesting, CommentsCdataAndDeclarationsNestNothing) {
  std::u16string many(1000, u'<');
  EXPECT_TRUE(Parses(u"<?xml version=\"1.0\"?><!--" + many + u"--><r><!-- <a> <b> " + many +
                     u" --><![CDATA[" + many + u"]]><?pi " + many + u"?></r>"));
  EXPECT_TRUE(Parses(u"<!DOCTYPE r [ <!ELEMENT r (a)> <!ENTITY e \"<a><a>\"> ]><r>" + Nested(255, u"<a>") +
                     u"</r>"));
  EXPECT_FALSE(Parses(u"<!-- " + many + u" --><r>" + Nested(256, u"<a>") + u"</r>"));
}

std::string Printable(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof(code), "\\u%04X", static_cast<unsigned>(c));
      out += code;
    }
  }
  return out;
}

int TreeDepth(const rapidxml::xml_node<char16_t>& node) {
  int deepest = 0;
  for (const auto* c = node.first_node(); c; c = c->next_sibling())
    if (c->type() == rapidxml::node_element) deepest = std::max(deepest, 1 + TreeDepth(*c));
  return deepest;
}

TEST(Xml16Nesting, ScannedDepthIsTheParsedTreesDepthForEveryTextTheParserAccepts) {
  // Pieces of markup, look-alikes and fragments, joined at random; of the
  // texts rapidxml accepts, the scan must find exactly the tree's depth.
  const std::u16string pieces[] = {
      u"<a>", u"</a>", u"<a/>", u"<b t=\"/>\">", u"</b>", u"<c u='</c>' v=\">\"/>", u"/>", u"x", u">",
      u"<!-- <a> -->", u"<![CDATA[<a></a>]]>", u"<?p <a>?>", u"<!x <a>", u"<!DOCTYPE d [<!E <a>>]>", u"]]>",
      u"-->", u"\"", u"'", u"<", u"\u4E3C", u"<\"q\" \"x\"='/>'>", u"</\"q\" >", u" ", u"<d\n/>", u"<e =\"1\">",
  };
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::u16string text = u"<r>";
    const int count = 1 + next() % 12;
    for (int i = 0; i < count; ++i) text += pieces[next() % std::size(pieces)];
    text += u"</r>";
    std::u16string copy = text;
    XmlDocument doc;
    try {
      doc.parse<kXmlParseFlags>(copy.data());
    } catch (const rapidxml::parse_error&) {
      continue;
    }
    ++accepted;
    ASSERT_EQ(MarkupNestingDepth(text.data(), 1000), TreeDepth(doc)) << Printable(text);
  }
  EXPECT_GT(accepted, 500) << "the pieces make enough well-formed texts";
}

TEST(Xml16Nesting, UnterminatedMarkupIsRefusedWithoutReadingPastTheText) {
  for (std::u16string text : {u"<", u"<!", u"<!-", u"<!--", u"<![CDATA[", u"<!DOCTYPE [", u"<?", u"<a t=\"",
                              u"<a/", u"<a></", u"<r><!-- -"}) {
    EXPECT_FALSE(Parses(text)) << std::string(text.begin(), text.end());
  }
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
