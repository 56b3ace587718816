#include "launcher/remote/json_text.h"

#include <gtest/gtest.h>

#include "launcher/remote/utf8_bom.h"

namespace vcam::launcher {
namespace {

TEST(SkipUtf8Bom, SkipsTheWholeMarkOrAsMuchOfItAsComesInOrder) {
  EXPECT_EQ(skip_utf8_bom("\xEF\xBB\xBF{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("\xEF\xBB{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("\xEF{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("\xBB\xBF{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("\xBF{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("\xEF\xBF{}"), "{}");
  EXPECT_EQ(skip_utf8_bom("{}"), "{}");
  EXPECT_EQ(skip_utf8_bom(""), "");
  EXPECT_EQ(skip_utf8_bom("\xEF\xBB\xBF"), "");
}

TEST(SkipUtf8Bom, SkipsEachByteOnceAndOutOfOrderBytesStay) {
  // Only one round of the three bytes: a doubled mark leaves the second.
  EXPECT_EQ(skip_utf8_bom("\xEF\xBB\xBF\xEF\xBB\xBF{}"), "\xEF\xBB\xBF{}");
  EXPECT_EQ(skip_utf8_bom("\xBB\xEF{}"), "\xEF{}");
  EXPECT_EQ(skip_utf8_bom("\xBF\xBB{}"), "\xBB{}");
}

TEST(ParseJson, AcceptsADocumentAndRefusesSyntaxErrorsAndTrailingText) {
  rapidjson::Document doc;
  EXPECT_TRUE(parse_json(doc, R"({"a": [1, 2]})"));
  EXPECT_TRUE(doc.IsObject());
  EXPECT_FALSE(parse_json(doc, R"({"a": [1, 2})"));
  EXPECT_FALSE(parse_json(doc, R"({} {})"));
  EXPECT_FALSE(parse_json(doc, ""));
  EXPECT_FALSE(parse_json(doc, "\xEF\xBB\xBF{}"));
}

TEST(ParseJson, ReadsOnlyTheGivenBytes) {
  const std::string text = "[1]garbage";
  rapidjson::Document doc;
  EXPECT_TRUE(parse_json(doc, std::string_view(text).substr(0, 3)));
}

TEST(ParseJson, DeepNestingDoesNotExhaustTheStack) {
  const std::string deep(1024 * 1024, '[');
  rapidjson::Document doc;
  EXPECT_FALSE(parse_json(doc, deep));
  const std::string closed = std::string(200'000, '[') + std::string(200'000, ']');
  EXPECT_TRUE(parse_json(doc, closed));
}

TEST(JsonMembers, StringMembersNeedTheStringTypeAndEndAtAZeroByte) {
  rapidjson::Document doc;
  ASSERT_TRUE(parse_json(doc, R"({"s": "ab\u0000cd", "n": 5, "t": "\u4e2d", "o": {}, "z": null})"));
  std::string v = "old";
  EXPECT_TRUE(json_string_member(doc, "s", v));
  EXPECT_EQ(v, "ab");
  EXPECT_TRUE(json_string_member(doc, "t", v));
  EXPECT_EQ(v, "\xE4\xB8\xAD");
  v = "old";
  EXPECT_FALSE(json_string_member(doc, "n", v));
  EXPECT_FALSE(json_string_member(doc, "o", v));
  EXPECT_FALSE(json_string_member(doc, "z", v));
  EXPECT_FALSE(json_string_member(doc, "missing", v));
  EXPECT_EQ(v, "old");
}

TEST(JsonMembers, UnsignedMembersMustBeIntegersThatFit32Bits) {
  rapidjson::Document doc;
  ASSERT_TRUE(parse_json(doc, R"({"zero": 0, "max": 4294967295, "over": 4294967296, "neg": -1,
                                  "real": 5.0, "text": "5", "big": 1e3})"));
  unsigned v = 7;
  EXPECT_TRUE(json_uint_member(doc, "zero", v));
  EXPECT_EQ(v, 0u);
  EXPECT_TRUE(json_uint_member(doc, "max", v));
  EXPECT_EQ(v, 4294967295u);
  v = 7;
  for (const char* key : {"over", "neg", "real", "text", "big", "missing"}) {
    EXPECT_FALSE(json_uint_member(doc, key, v)) << key;
  }
  EXPECT_EQ(v, 7u);
}

}  // namespace
}  // namespace vcam::launcher
