#include "common/text_utf.h"

#include <gtest/gtest.h>

namespace vcam {
namespace {

const char* const kProductTexts[] = {
    "程序版本",
    "Zelo安装或卸载程序正在运行，请结束后重试",
    "检测到Zelo安装或卸载操作尚未完成，需要重启电脑。",
    "正在为您更新解码器，请稍候...",
    "删除 HKEY_CURRENT_USER\\Software\\ZeloVCamera",
    "立即结束以下程序来继续卸载过程吗?\r\n",
    "新宋体",
};

TEST(Utf8Utf16, ProductTextsRoundTrip) {
  for (const char* text : kProductTexts) {
    const std::u16string wide = utf8_to_utf16(text);
    EXPECT_EQ(utf16_to_utf8(wide), text);
  }
  EXPECT_EQ(utf8_to_utf16("程序版本"), u"程序版本");
}

TEST(Utf8Utf16, EmptyAndAscii) {
  EXPECT_EQ(utf8_to_utf16(""), u"");
  EXPECT_EQ(utf16_to_utf8(u""), "");
  EXPECT_EQ(utf8_to_utf16("ZeloCamV10"), u"ZeloCamV10");
  EXPECT_EQ(utf8_to_utf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8Utf16, SupplementaryPlaneUsesSurrogatePairs) {
  EXPECT_EQ(utf8_to_utf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(utf8_to_utf16("\xF0\x9F\x98\x80").size(), 2u);
  EXPECT_EQ(utf16_to_utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(utf8_to_utf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
}

TEST(Utf8Utf16, InvalidSequencesBecomeOneReplacementEach) {
  // Lone continuation byte, truncated sequence, bytes never valid.
  EXPECT_EQ(utf8_to_utf16("a\x80" "b"), u"a\uFFFDb");
  EXPECT_EQ(utf8_to_utf16("\xE7\xA8"), u"\uFFFD");
  EXPECT_EQ(utf8_to_utf16("\xE7\xA8x"), u"\uFFFDx");
  EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(utf8_to_utf16("\xFF"), u"\uFFFD");
  // Overlong three-byte form, encoded surrogate, beyond U+10FFFF.
  EXPECT_EQ(utf8_to_utf16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(utf8_to_utf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  // A valid character right after a broken one survives.
  EXPECT_EQ(utf8_to_utf16("\xE7程"), u"\uFFFD程");
}

TEST(Utf8Utf16, UnpairedSurrogatesBecomeReplacement) {
  EXPECT_EQ(utf16_to_utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16_to_utf8(std::u16string{char16_t(0xDC00), u'a'}), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(utf16_to_utf8(std::u16string{char16_t(0xD800), char16_t(0xD800), char16_t(0xDC00)}),
            "\xEF\xBF\xBD\xF0\x90\x80\x80");
}

TEST(Utf8Cut, NeverSplitsASequence) {
  const std::string text = "ab程序";  // 2 + 3 + 3 bytes
  EXPECT_EQ(utf8_cut(text, 100), text.size());
  EXPECT_EQ(utf8_cut(text, 8), 8u);
  EXPECT_EQ(utf8_cut(text, 7), 5u);
  EXPECT_EQ(utf8_cut(text, 6), 5u);
  EXPECT_EQ(utf8_cut(text, 5), 5u);
  EXPECT_EQ(utf8_cut(text, 4), 2u);
  EXPECT_EQ(utf8_cut(text, 2), 2u);
  EXPECT_EQ(utf8_cut(text, 0), 0u);
}

}  // namespace
}  // namespace vcam
