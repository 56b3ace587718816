// The host half of the smoke tests: the Windows-free library builds and runs
// natively (and, compiled for Windows, under Wine) with the same results.
#include <gtest/gtest.h>

#include "common/path_text.h"
#include "common/text_utf.h"

namespace vcam {
namespace {

TEST(PlatformSmoke, WideTextIsUtf16OnEveryBuild) {
  const std::u16string text = utf8_to_utf16("ZeloCamV10 程序版本");
  EXPECT_EQ(text.size(), 15u);
  EXPECT_EQ(text[11], char16_t(0x7A0B));
  EXPECT_EQ(folder_of(u"C:/Zelo/vcam_launcher.exe") + u"logs", u"C:\\Zelo\\logs");
}

}  // namespace
}  // namespace vcam
