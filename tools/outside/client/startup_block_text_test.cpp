#include "tools/outside/client/startup_block_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tools/outside/client/copy_data_text.h"

namespace vcam::client {
namespace {

template <std::size_t N>
void put(char16_t (&field)[N], const std::u16string& text) {
  std::copy(text.begin(), text.end(), field);
}

TEST(StartupBlockText, ReadsEveryFieldUpToItsTerminator) {
  launcher::ClientStartupBlock block{};
  put(block.url_effect, u"https://e/");
  put(block.url_news, u"https://n/");
  put(block.current_version, u"6.0.0.5");
  put(block.latest_version, u"6.0.1.0");
  put(block.command_line, u"--from-tray 摄像头");
  const StartupFields f = read_startup_block(block);
  EXPECT_EQ(f.url_effect, u"https://e/");
  EXPECT_EQ(f.url_effect_download, u"");
  EXPECT_EQ(f.url_news, u"https://n/");
  EXPECT_EQ(f.current_version, u"6.0.0.5");
  EXPECT_EQ(f.latest_version, u"6.0.1.0");
  EXPECT_EQ(f.command_line, u"--from-tray 摄像头");
  EXPECT_TRUE(f.unterminated.empty());
  const auto lines = describe_startup_fields(f);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "url_effect: https://e/");
  EXPECT_EQ(lines[4], "current_version: 6.0.0.5");
  EXPECT_EQ(lines[6], "command_line: --from-tray \xE6\x91\x84\xE5\x83\x8F\xE5\xA4\xB4");
}

TEST(StartupBlockText, AFieldFilledToItsEndWithoutTerminatorReadsEmpty) {
  launcher::ClientStartupBlock block{};
  std::fill(std::begin(block.current_version), std::end(block.current_version), u'9');
  std::fill(std::begin(block.command_line), std::end(block.command_line), u'x');
  // The field after the version must not be read into it.
  put(block.latest_version, u"6.0.1.0");
  const StartupFields f = read_startup_block(block);
  EXPECT_EQ(f.current_version, u"");
  EXPECT_EQ(f.command_line, u"");
  EXPECT_EQ(f.latest_version, u"6.0.1.0");
  EXPECT_EQ(f.unterminated, (std::vector<std::string>{"current_version", "command_line"}));
  const auto lines = describe_startup_fields(f);
  EXPECT_EQ(lines.back(), "command_line has no terminator; read as empty");
}

TEST(StartupBlockText, ALastUnitTerminatorStillCounts) {
  char16_t field[4] = {u'a', u'b', u'c', u'\0'};
  EXPECT_EQ(block_field_text(field, 4), std::u16string(u"abc"));
  EXPECT_EQ(block_field_text(field, 3), std::nullopt);
  EXPECT_EQ(block_field_text(nullptr, 3), std::nullopt);
}

TEST(StartupBlockText, WindowTitleIsThePrefixAndTheVersion) {
  EXPECT_EQ(client_window_title(u"6.0.0.5"), u"ZeloOlvana - 6.0.0.5");
}

TEST(CopyDataText, CutsAtTheFirstTerminator) {
  const char16_t text[] = u"--open a\0hidden";
  EXPECT_EQ(copy_data_text(text, sizeof text), u"--open a");
}

TEST(CopyDataText, TakesAnUnterminatedTextAndDropsAHalfUnit) {
  const char16_t text[] = {u'a', u'b', u'c'};
  EXPECT_EQ(copy_data_text(text, 6), u"abc");
  EXPECT_EQ(copy_data_text(text, 5), u"ab");
  EXPECT_EQ(copy_data_text(text, 1), u"");
  EXPECT_EQ(copy_data_text(nullptr, 6), u"");
}

TEST(CopyDataText, ReadsUnalignedSendersAndCapsTheLength) {
  std::vector<unsigned char> bytes(1 + 2 * (kCopyDataTextLimit + 10), 0);
  for (std::size_t i = 1; i + 1 < bytes.size(); i += 2) bytes[i] = 'z';
  const std::u16string text = copy_data_text(bytes.data() + 1, bytes.size() - 1);
  EXPECT_EQ(text.size(), kCopyDataTextLimit);
  EXPECT_EQ(text.find_first_not_of(u'z'), std::u16string::npos);
}

}  // namespace
}  // namespace vcam::client
