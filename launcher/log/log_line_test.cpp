#include "launcher/log/log_line.h"

#include <gtest/gtest.h>

#include <string>

namespace vcam::launcher {
namespace {

TEST(LocationLine, SourceDashFunctionCommaNumber) {
  EXPECT_EQ(location_line("zelopack_reader", "_zelopack_reader::initialize", 36),
            "zelopack_reader - _zelopack_reader::initialize, 36");
  EXPECT_EQ(location_line("application", "application::initialize", 96),
            "application - application::initialize, 96");
  EXPECT_EQ(location_line("assets", "f", -1), "assets - f, -1");
}

TEST(ValueLine, WordsBareTextsQuotedNumbersDecimalJoinedByCommas) {
  value_line line("_zelopack_reader dump finish");
  line.text(u"C:\\Zelo\\resource\\style_pro.zeloz").number(12);
  EXPECT_EQ(line.str(), "_zelopack_reader dump finish,\"C:\\Zelo\\resource\\style_pro.zeloz\",12");

  value_line entry;
  entry.text(u"font.xml").number(4294967295u).number(0).number(-7LL);
  EXPECT_EQ(entry.str(), "\"font.xml\",4294967295,0,-7");
}

TEST(ValueLine, WideTextBecomesUtf8) {
  EXPECT_EQ(value_line().text(u"程序版本").str(), "\"程序版本\"");
  EXPECT_EQ(value_line().text(u"").str(), "\"\"");
  // An unpaired surrogate cannot be UTF-8; it is written as U+FFFD.
  EXPECT_EQ(value_line().text(std::u16string(1, char16_t(0xD800))).str(), "\"\xEF\xBF\xBD\"");
}

TEST(ValueLine, TextsAreCutAt2040BytesBetweenSequences) {
  const std::u16string exact(680, u'中');  // 680 x 3 bytes = 2040
  EXPECT_EQ(value_line().text(exact).str().size(), 2040u + 2);

  const std::u16string longer(681, u'中');
  const std::string cut = value_line().text(longer).str();
  EXPECT_EQ(cut.size(), 2040u + 2);
  EXPECT_EQ(cut.back(), '"');

  // 2039 ASCII bytes leave one byte free: a 3-byte character does not fit
  // and is dropped whole rather than split.
  const std::u16string tail = std::u16string(2039, u'a') + u"中b";
  const std::string line = value_line().text(tail).str();
  EXPECT_EQ(line, "\"" + std::string(2039, 'a') + "\"");

  EXPECT_EQ(value_line().text_utf8(std::string(5000, 'x')).str().size(), 2042u);
}

TEST(ValueLine, FixedWordFirstThenQuotedName) {
  EXPECT_EQ(value_line("_zelopack_reader, failed to read").text(u"skin_b4ae00").str(),
            "_zelopack_reader, failed to read,\"skin_b4ae00\"");
}

}  // namespace
}  // namespace vcam::launcher
