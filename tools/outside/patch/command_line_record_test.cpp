#include "tools/outside/patch/command_line_record.h"

#include <gtest/gtest.h>

namespace vcam::outside {
namespace {

TEST(PatcherCommandLine, TheArgumentsFollowAQuotedProgramName) {
  EXPECT_EQ(arguments_after_program(u"\"C:\\app dir\\patch\\patch.exe\" 1234"), u"1234");
  EXPECT_EQ(arguments_after_program(u"\"C:\\a b\\patch.exe\"1234"), u"1234");
  EXPECT_EQ(arguments_after_program(u"\"C:\\a b\\patch.exe\""), u"");
}

TEST(PatcherCommandLine, AnUnquotedNameEndsAtTheFirstBlankAndBlanksAreSkipped) {
  EXPECT_EQ(arguments_after_program(u"C:\\app\\patch.exe \t 42 x"), u"42 x");
  EXPECT_EQ(arguments_after_program(u"patch.exe"), u"");
  EXPECT_EQ(arguments_after_program(u""), u"");
}

TEST(PatcherCommandLine, AnUnclosedQuoteTakesTheWholeLineAsTheName) {
  EXPECT_EQ(arguments_after_program(u"\"C:\\patch.exe 1234"), u"");
}

TEST(PatcherCommandLine, TheRecordHoldsTheLineAndTheArgumentsInUtf8) {
  EXPECT_EQ(command_line_record(u"\"C:\\程序\\patch.exe\" 77"), "\"C:\\\xE7\xA8\x8B\xE5\xBA\x8F\\patch.exe\" 77\n77\n");
}

}  // namespace
}  // namespace vcam::outside
