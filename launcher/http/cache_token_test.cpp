#include "launcher/http/cache_token.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vcam::launcher {
namespace {

bool is_token(const std::string& t) {
  return t.size() == 32 &&
         std::all_of(t.begin(), t.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

TEST(CacheToken, FieldsBecomeThirtyTwoUpperCaseDigitsInOrder) {
  guid_fields g;
  g.data1 = 0x0123ABCD;
  g.data2 = 0x00EF;
  g.data3 = 0xA001;
  const std::uint8_t tail[8] = {0x00, 0x0F, 0xF0, 0xFF, 0x10, 0x9A, 0xBC, 0x01};
  std::copy(std::begin(tail), std::end(tail), g.data4);
  EXPECT_EQ(format_cache_token(g), "0123ABCD00EFA001000FF0FF109ABC01");
}

TEST(CacheToken, ZeroGuidKeepsLeadingZeros) {
  EXPECT_EQ(format_cache_token(guid_fields{}), std::string(32, '0'));
}

TEST(CacheToken, UrlWithoutQueryGetsQuestionMark) {
  EXPECT_EQ(add_cache_query("https://h/config/6.0.0.5.json", "AB"),
            "https://h/config/6.0.0.5.json?abcdefghijklm=AB");
}

TEST(CacheToken, UrlWithQueryGetsAmpersand) {
  EXPECT_EQ(add_cache_query("https://h/a?x=1", "AB"), "https://h/a?x=1&abcdefghijklm=AB");
  EXPECT_EQ(add_cache_query("https://h/a?", "AB"), "https://h/a?&abcdefghijklm=AB");
}

TEST(CacheToken, NewTokensAreWellFormedAndNeverRepeat) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    const std::string t = new_cache_token();
    ASSERT_TRUE(is_token(t)) << t;
    ASSERT_TRUE(seen.insert(t).second) << "repeated " << t;
  }
}

}  // namespace
}  // namespace vcam::launcher
