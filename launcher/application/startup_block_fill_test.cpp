#include "launcher/application/startup_block_fill.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vcam::launcher {
namespace {

ClientStartupBlock zeroed() {
  ClientStartupBlock b;
  std::memset(&b, 0, sizeof b);
  return b;
}

TEST(BoundedCopy, ATextThatFitsWithItsTerminatorIsCopied) {
  char16_t field[4];
  std::fill(std::begin(field), std::end(field), u'x');
  EXPECT_TRUE(bounded_copy(field, 4, u"abc"));
  EXPECT_EQ(std::u16string(field), u"abc");
}

TEST(BoundedCopy, ATextAsLongAsTheFieldLeavesItEmpty) {
  char16_t field[4];
  std::fill(std::begin(field), std::end(field), u'x');
  EXPECT_FALSE(bounded_copy(field, 4, u"abcd"));
  EXPECT_EQ(field[0], u'\0');
  EXPECT_FALSE(bounded_copy(field, 0, u"")) << "a field without room holds nothing";
}

TEST(BoundedCopy, ANulInsideEndsTheText) {
  char16_t field[4] = {};
  EXPECT_TRUE(bounded_copy(field, 4, std::u16string_view(u"ab\0cdefg", 8)));
  EXPECT_EQ(std::u16string(field), u"ab");
}

TEST(LauncherFields, VersionsAndCommandLineLandAtTheirOffsets) {
  ClientStartupBlock b = zeroed();
  fill_launcher_fields(b, u"6.0.0.5", u"6.1.0.0", u"-s \"a b\"");
  const auto* bytes = reinterpret_cast<const unsigned char*>(&b);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes + 3584)), u"6.0.0.5");
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes + 3712)), u"6.1.0.0");
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes + 3840)), u"-s \"a b\"");
}

TEST(LauncherFields, TheConfigurationPartIsLeftAlone) {
  ClientStartupBlock b = zeroed();
  b.exclude[1023] = u'q';
  fill_launcher_fields(b, u"6.0.0.5", u"6.0.0.5", std::u16string(1023, u'c'));
  EXPECT_EQ(b.exclude[1023], u'q');
  EXPECT_EQ(std::u16string(b.command_line).size(), 1023u) << "1023 units and the terminator fill the field";
}

TEST(LauncherFields, ACommandLineOf1024UnitsOrMoreArrivesEmpty) {
  for (std::size_t n : {1024u, 1025u, 5000u}) {
    ClientStartupBlock b = zeroed();
    fill_launcher_fields(b, u"6.0.0.5", u"6.0.0.5", std::u16string(n, u'c'));
    EXPECT_EQ(b.command_line[0], u'\0') << n;
    EXPECT_EQ(std::u16string(b.current_version), u"6.0.0.5") << "the other fields are filled all the same";
  }
}

TEST(LauncherFields, AnOverlongVersionLeavesOnlyItsFieldEmpty) {
  ClientStartupBlock b = zeroed();
  fill_launcher_fields(b, std::u16string(64, u'9'), u"6.0.0.5", u"");
  EXPECT_EQ(b.current_version[0], u'\0');
  EXPECT_EQ(std::u16string(b.latest_version), u"6.0.0.5");
  EXPECT_EQ(b.command_line[0], u'\0');
}

}  // namespace
}  // namespace vcam::launcher
