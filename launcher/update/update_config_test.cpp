#include "launcher/update/update_config.h"

#include <gtest/gtest.h>

#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

const std::string kLine34 = "update - update_config::load, 34";

update_config sentinel() {
  update_config c;
  c.flag = 77;
  c.size = 88;
  c.md5 = u"old md5";
  c.version = u"old version";
  return c;
}

bool unchanged(const update_config& c) {
  return c.flag == 77 && c.size == 88 && c.md5 == u"old md5" && c.version == u"old version";
}

TEST(UpdateConfig, ReadsTheFourMembers) {
  log_capture log;
  update_config c = sentinel();
  ASSERT_TRUE(c.load(R"({"md5": "0123456789abcdef0123456789abcdef", "version": "2.0.1\u7248", "size": 1048576,
                         "flag": 0, "notes": [1, 2]})"));
  EXPECT_EQ(c.flag, 0u);
  EXPECT_FALSE(c.mandatory());
  EXPECT_EQ(c.size, 1048576u);
  EXPECT_EQ(c.version, u"2.0.1版");
  EXPECT_EQ(c.md5, u"0123456789abcdef0123456789abcdef");
  EXPECT_TRUE(log.lines().empty());
}

TEST(UpdateConfig, AnyNonZeroFlagIsMandatory) {
  update_config c;
  for (const char* flag : {"1", "2", "4294967295"}) {
    ASSERT_TRUE(c.load(std::string(R"({"flag": )") + flag + R"(, "size": 1, "version": "v", "md5": "m"})"));
    EXPECT_TRUE(c.mandatory()) << flag;
  }
}

TEST(UpdateConfig, AMissingOrMistypedMemberFailsWithoutALine) {
  log_capture log;
  const std::vector<std::string> bad = {
      R"({"size": 1, "version": "v", "md5": "m"})",
      R"({"flag": 0, "version": "v", "md5": "m"})",
      R"({"flag": 0, "size": 1, "md5": "m"})",
      R"({"flag": 0, "size": 1, "version": "v"})",
      R"({"flag": "0", "size": 1, "version": "v", "md5": "m"})",
      R"({"flag": -1, "size": 1, "version": "v", "md5": "m"})",
      R"({"flag": 0, "size": 4294967296, "version": "v", "md5": "m"})",
      R"({"flag": 0, "size": 1.0, "version": "v", "md5": "m"})",
      R"({"flag": 0, "size": 1, "version": 2, "md5": "m"})",
      R"({"flag": 0, "size": 1, "version": "v", "md5": null})",
  };
  for (const auto& text : bad) {
    update_config c = sentinel();
    EXPECT_FALSE(c.load(text)) << text;
    EXPECT_TRUE(unchanged(c)) << text;
  }
  EXPECT_TRUE(log.lines().empty());
}

TEST(UpdateConfig, ATextThatIsNotAnObjectWritesLine34) {
  log_capture log;
  const std::vector<std::string> bad = {"", "[]", "\"text\"", "{", "{\"flag\": 0,}", "<html>404</html>",
                                        "\xEF\xBB\xBF{\"flag\": 0, \"size\": 1, \"version\": \"v\", \"md5\": \"m\"}"};
  for (const auto& text : bad) {
    update_config c = sentinel();
    EXPECT_FALSE(c.load(text)) << text;
    EXPECT_TRUE(unchanged(c)) << text;
  }
  EXPECT_EQ(log.texts(), std::vector<std::string>(bad.size(), kLine34));
  EXPECT_EQ(log.lines().front().level, 300);
}

}  // namespace
}  // namespace vcam::launcher
