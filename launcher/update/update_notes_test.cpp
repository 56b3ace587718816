#include "launcher/update/update_notes.h"

#include <gtest/gtest.h>

namespace vcam::launcher {
namespace {

using lines = std::vector<std::u16string>;

TEST(UpdateNotes, CrLfNotesWithAnEmptyLineGiveTwoLines) {
  EXPECT_EQ(split_update_notes("first\r\n\r\nsecond\r\n"), (lines{u"first", u"second"}));
  EXPECT_EQ(split_update_notes("first\r\n\r\nsecond"), (lines{u"first", u"second"}));
}

TEST(UpdateNotes, EveryLineEndingSplitsAndEmptyLinesAreDropped) {
  EXPECT_EQ(split_update_notes("a\nb\rc\r\nd\n\r\n\re"), (lines{u"a", u"b", u"c", u"d", u"e"}));
  EXPECT_EQ(split_update_notes("\r\n\r\nonly\n\n"), (lines{u"only"}));
  EXPECT_EQ(split_update_notes("no ending"), (lines{u"no ending"}));
}

TEST(UpdateNotes, BlankButNonEmptyLinesStay) {
  EXPECT_EQ(split_update_notes(" \r\n\t\n"), (lines{u" ", u"\t"}));
}

TEST(UpdateNotes, NothingButLineEndsGivesNoLines) {
  EXPECT_TRUE(split_update_notes("").empty());
  EXPECT_TRUE(split_update_notes("\r\n\r\n\n\r").empty());
}

TEST(UpdateNotes, LinesAreConvertedFromUtf8) {
  EXPECT_EQ(split_update_notes("1. 修复摄像头\r\n2. 新功能"), (lines{u"1. 修复摄像头", u"2. 新功能"}));
}

}  // namespace
}  // namespace vcam::launcher
