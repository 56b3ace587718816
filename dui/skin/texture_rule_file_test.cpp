// Parsing the texture-rule file.
#include <gtest/gtest.h>

#include "dui/skin/texture_rule_file.h"

namespace vcam::dui {
namespace {

using Kind = TextureRuleLine::Kind;

TEST(TextureRuleFile, SkinColourRuleGetsADarkerTwin) {
  const TextureRuleFile f = ParseTextureRuleFile("set_skin_color|modifycolor|#FFFFFF|#B4AE00\n");
  ASSERT_EQ(f.rules.size(), 2u);
  EXPECT_EQ(f.rules[0].name, u"set_skin_color");
  EXPECT_EQ(f.rules[0].kind, Kind::ModifyColor);
  EXPECT_EQ(f.rules[0].from, 0xFFFFFFu);
  EXPECT_EQ(f.rules[0].colour, 0xB4AE00u);
  EXPECT_EQ(f.rules[1].name, u"set_skin_color_darken");
  EXPECT_EQ(f.rules[1].from, 0xFFFFFFu);
  EXPECT_EQ(f.rules[1].colour, 0xA09A00u);
  EXPECT_FALSE(f.skin_colour);
}

TEST(TextureRuleFile, DarkenFloorsEachChannelAtZero) {
  EXPECT_EQ(DarkenColour(0x101010), 0u);
  EXPECT_EQ(DarkenColour(0x141414), 0u);
  EXPECT_EQ(DarkenColour(0x151413), 0x010000u);
  EXPECT_EQ(DarkenColour(0xFFFFFF), 0xEBEBEBu);
  const TextureRuleFile f = ParseTextureRuleFile("other|modifycolor|#FFFFFF|#B4AE00");
  EXPECT_EQ(f.rules.size(), 1u) << "only set_skin_color has a twin";
}

TEST(TextureRuleFile, OneFieldLineSetsTheSkinColourAndTheLastOneWins) {
  EXPECT_EQ(ParseTextureRuleFile("#B4AE00").skin_colour, 0x00B4AE00u);
  EXPECT_EQ(ParseTextureRuleFile("#010203\r\n#b4ae0f\r\n").skin_colour, 0x00B4AE0Fu);
  EXPECT_FALSE(ParseTextureRuleFile("\n\n\r\n").skin_colour) << "blank lines set nothing";
  EXPECT_EQ(ParseTextureRuleFile("#B4AE00\n#B4AE0G\n").skin_colour, 0x00B4AE00u) << "a bad colour changes nothing";
}

TEST(TextureRuleFile, KindsAndTheirFields) {
  const TextureRuleFile f = ParseTextureRuleFile(
      "go|redirect|other.png\r"
      "all|modifyall|#123456\r"
      "foo|bar|x\r"
      "short|modifycolor|#FFFFFF\n"
      "nocolour|modifyall\n"
      "REDIRECT|Redirect|a.png\n");
  ASSERT_EQ(f.rules.size(), 2u);
  EXPECT_EQ(f.rules[0].kind, Kind::Redirect);
  EXPECT_EQ(f.rules[0].target, u"other.png");
  EXPECT_EQ(f.rules[1].kind, Kind::ModifyAll);
  EXPECT_EQ(f.rules[1].name, u"all");
  EXPECT_EQ(f.rules[1].colour, 0x123456u);
}

TEST(TextureRuleFile, MalformedColoursMakeNoRule) {
  for (const char* line : {"r|modifyall|#12345", "r|modifyall|#1234567", "r|modifyall|#12 456",
                           "r|modifycolor|#FFFFFF|#GG0000", "r|modifycolor|#FFFFF|#000000", "r|modifyall|"})
    EXPECT_TRUE(ParseTextureRuleFile(line).rules.empty()) << line;
  EXPECT_EQ(ParseRuleColour(u"xB4ae00"), 0xB4AE00u) << "the first character is not examined";
  EXPECT_FALSE(ParseRuleColour(u""));
}

TEST(TextureRuleFile, ByteOrderMarkIsSkippedAndAZeroByteEndsTheText) {
  const std::string text = std::string("\xEF\xBB\xBF") + "a|redirect|x.png\n" + std::string(1, '\0') + "b|redirect|y.png";
  const TextureRuleFile f = ParseTextureRuleFile(text);
  ASSERT_EQ(f.rules.size(), 1u);
  EXPECT_EQ(f.rules[0].name, u"a") << "the mark is not part of the first name";
}

TEST(TextureRuleFile, Utf8NamesBecomeUtf16) {
  const TextureRuleFile f = ParseTextureRuleFile("\xE7\x9A\xAE|redirect|\xE8\x82\xA4.png");
  ASSERT_EQ(f.rules.size(), 1u);
  EXPECT_EQ(f.rules[0].name, u"\u76AE");
  EXPECT_EQ(f.rules[0].target, u"\u80A4.png");
}

}  // namespace
}  // namespace vcam::dui
