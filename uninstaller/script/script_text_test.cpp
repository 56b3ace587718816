#include "uninstaller/script/script_text.h"

#include <gtest/gtest.h>

namespace vcam::uninstaller {
namespace {

TEST(ScriptText, WellFormedTextOfEveryLengthPasses) {
  EXPECT_TRUE(utf8_is_well_formed(""));
  EXPECT_TRUE(utf8_is_well_formed("C:\\Program Files\\x.exe"));
  EXPECT_TRUE(utf8_is_well_formed("\xC2\xA9"));                      // 2 bytes
  EXPECT_TRUE(utf8_is_well_formed("卸载 Zelo"));                      // 3 bytes
  EXPECT_TRUE(utf8_is_well_formed("\xF0\x9F\x98\x80"));              // 4 bytes
  EXPECT_TRUE(utf8_is_well_formed("\xF4\x8F\xBF\xBF"));              // U+10FFFF
  EXPECT_TRUE(utf8_is_well_formed(std::string_view("a\0b", 3)));    // NUL is a character
}

TEST(ScriptText, EveryKindOfIllFormedTextIsRefused) {
  for (const char* bad : {"\x80", "a\xBF", "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF",
                          "\xED\xA0\x80", "\xED\xBF\xBF", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                          "\xFF", "\xC2", "\xE4\xB8", "\xF0\x9F\x98", "ok\xE4\xB8", "\xC2\x41"}) {
    EXPECT_FALSE(utf8_is_well_formed(bad)) << ::testing::PrintToString(std::string(bad));
  }
}

TEST(ScriptText, IllFormedTextCrossesAsAnEmptyString) {
  EXPECT_EQ(script_text_to_utf16("abc\xFF"), u"");
  EXPECT_EQ(script_text_to_utf16("卸载"), u"卸载");
  EXPECT_EQ(script_text_to_utf16("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
}

TEST(ScriptText, WideTextIsCutAtItsFirstNul) {
  EXPECT_EQ(up_to_nul(std::u16string_view(u"ab\0cd", 5)), u"ab");
  EXPECT_EQ(up_to_nul(u"abc"), u"abc");
  EXPECT_EQ(up_to_nul(u""), u"");
}

}  // namespace
}  // namespace vcam::uninstaller
