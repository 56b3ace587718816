#include "common/win/text_cp936.h"

#include <gtest/gtest.h>

#include "common/text_utf.h"

namespace vcam {
namespace {

TEST(Cp936, ProductTextsRoundTripThroughTheCodePage) {
  const char16_t* const texts[] = {
      u"程序版本", u"Zelo安装或卸载程序正在运行，请结束后重试", u"新宋体",
      u"C:\\Program Files\\ZeloVCamera\\日志\\launcher.log", u"正在为您更新解码器，请稍候...",
  };
  for (const char16_t* text : texts) {
    const std::string narrow = utf16_to_cp936(text);
    EXPECT_FALSE(narrow.empty());
    EXPECT_EQ(cp936_to_utf16(narrow), text);
  }
}

TEST(Cp936, KnownEncodings) {
  // GBK bytes of 程序 and 版本.
  EXPECT_EQ(utf16_to_cp936(u"程序版本"), "\xB3\xCC\xD0\xF2\xB0\xE6\xB1\xBE");
  EXPECT_EQ(cp936_to_utf16("\xB3\xCC\xD0\xF2"), u"程序");
  EXPECT_EQ(utf16_to_cp936(u"abc"), "abc");
}

TEST(Cp936, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf16_to_cp936(u"a\u0E01b"), "a?b");  // Thai letter
}

TEST(Cp936, EmptyInputGivesEmptyOutput) {
  EXPECT_EQ(utf16_to_cp936(u""), "");
  EXPECT_EQ(cp936_to_utf16(""), u"");
}

TEST(Cp936, AgreesWithUtf8OnChineseText) {
  const std::string utf8 = "检测到Zelo安装或卸载操作尚未完成，需要重启电脑。";
  EXPECT_EQ(utf16_to_utf8(cp936_to_utf16(utf16_to_cp936(utf8_to_utf16(utf8)))), utf8);
}

}  // namespace
}  // namespace vcam
