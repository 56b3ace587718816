#include "launcher/main/config_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

using testing::ScratchFolder;
using testing::text_bytes;
using testing::write_bytes;

const char* const kKeys[] = {"url_news", "url_effect", "url_effect_download", "exclude", "url_codecs", "url_update"};

// A configuration text: every key with a string value unless `raw` gives the
// member's JSON (an empty text leaves the member out).
std::string config_text(const std::map<std::string, std::string>& raw = {}) {
  std::map<std::string, std::string> values{{"url_news", "\"https://news.test/n\""},
                                            {"url_effect", "\"https://fx.test/e\""},
                                            {"url_effect_download", "\"https://fx.test/d\""},
                                            {"exclude", "\"a.exe|b.exe\""},
                                            {"url_codecs", "\"https://codecs.test/c/\""},
                                            {"url_update", "\"https://update.test/u/\""}};
  for (const auto& [k, v] : raw) values[k] = v;
  std::string text = "{\"other\": [1, {\"x\": null}]";
  for (const auto& [k, v] : values) {
    if (!v.empty()) text += ",\n  \"" + k + "\": " + v;
  }
  return text + "\n}";
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string repeat(const std::string& s, std::size_t n) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out += s;
  return out;
}

// The field at a byte offset of the block, as the client module reads it.
std::u16string field_at(const ClientStartupBlock& block, std::size_t offset) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  std::u16string out;
  for (std::size_t i = offset; i + 1 < sizeof block; i += 2) {
    char16_t c;
    std::memcpy(&c, bytes + i, 2);
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

class LoadConfigFromFile : public ::testing::Test {
 protected:
  LoadConfigFromFile() { std::memset(&block, 0, sizeof block); }

  bool load_text(const std::string& text) {
    write_bytes(dir / "config", text_bytes(text));
    return load_config_from_file((dir / "config").u16string(), url_update, url_codecs, block);
  }

  bool block_is_untouched() const {
    ClientStartupBlock zero;
    std::memset(&zero, 0, sizeof zero);
    return std::memcmp(&zero, &block, sizeof block) == 0 && url_codecs == "old codecs" && url_update == "old update";
  }

  ScratchFolder dir{"config_file_"};
  log_capture log;
  ClientStartupBlock block;
  std::string url_codecs = "old codecs";
  std::string url_update = "old update";
};

TEST_F(LoadConfigFromFile, FillsTheBlockFieldsAtTheirOffsetsAndTheTwoUrls) {
  ASSERT_TRUE(load_text(config_text()));
  EXPECT_EQ(field_at(block, 0), u"https://fx.test/e");
  EXPECT_EQ(field_at(block, 512), u"https://fx.test/d");
  EXPECT_EQ(field_at(block, 1024), u"https://news.test/n");
  EXPECT_EQ(field_at(block, 1536), u"a.exe|b.exe");
  EXPECT_EQ(field_at(block, 3584), u"");
  EXPECT_EQ(url_codecs, "https://codecs.test/c/");
  EXPECT_EQ(url_update, "https://update.test/u/");
  EXPECT_TRUE(log.lines().empty());
  // Nothing beyond the configuration's part of the block is written.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
  for (std::size_t i = kConfigurationBlockBytes; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(LoadConfigFromFile, ConvertsBlockValuesFromUtf8AndKeepsUrlsAsRawBytes) {
  ASSERT_TRUE(load_text(config_text({{"url_news", quoted("新闻\\u00e9")}, {"url_codecs", quoted("https://c/解码/")}})));
  EXPECT_EQ(field_at(block, 1024), u"新闻é");
  EXPECT_EQ(url_codecs, "https://c/\xE8\xA7\xA3\xE7\xA0\x81/");
}

TEST_F(LoadConfigFromFile, OverwritesWholeFieldsLeftFromAnEarlierLoad) {
  ASSERT_TRUE(load_text(config_text({{"exclude", quoted(repeat("x", 600))}})));
  ASSERT_TRUE(load_text(config_text({{"exclude", quoted("short")}})));
  EXPECT_EQ(field_at(block, 1536), u"short");
  for (std::size_t i = 5; i < 1024; ++i) ASSERT_EQ(block.exclude[i], u'\0') << i;
}

TEST_F(LoadConfigFromFile, SkipsAByteOrderMarkWholeOrInPart) {
  for (const char* mark : {"\xEF\xBB\xBF", "\xEF\xBB", "\xBB\xBF", "\xEF", "\xBF"}) {
    EXPECT_TRUE(load_text(mark + config_text())) << static_cast<int>(static_cast<unsigned char>(mark[0]));
  }
  EXPECT_FALSE(load_text("\xEF\xBB\xBF\xEF\xBB\xBF" + config_text()));
}

TEST_F(LoadConfigFromFile, BlockValuesMustBeShorterThanTheirFields) {
  EXPECT_TRUE(load_text(config_text({{"url_news", quoted(repeat("n", 255))}})));
  EXPECT_EQ(field_at(block, 1024).size(), 255u);
  EXPECT_TRUE(load_text(config_text({{"exclude", quoted(repeat("x", 1023))}})));
  EXPECT_EQ(field_at(block, 1536).size(), 1023u);

  std::memset(&block, 0, sizeof block);
  for (const auto& [key, limit] : std::map<std::string, std::size_t>{
           {"url_news", 256}, {"url_effect", 256}, {"url_effect_download", 256}, {"exclude", 1024}}) {
    EXPECT_FALSE(load_text(config_text({{key, quoted(repeat("v", limit))}}))) << key;
    EXPECT_TRUE(load_text(config_text({{key, quoted(repeat("v", limit - 1))}}))) << key;
    std::memset(&block, 0, sizeof block);
    url_codecs = "old codecs";
    url_update = "old update";
  }
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadConfigFromFile, LimitsCountUtf16UnitsNotBytes) {
  // 255 three-byte characters fit; a character outside the basic plane takes two units.
  EXPECT_TRUE(load_text(config_text({{"url_news", quoted(repeat("中", 255))}})));
  EXPECT_FALSE(load_text(config_text({{"url_news", quoted(repeat("中", 254) + "😀")}})));
  EXPECT_TRUE(load_text(config_text({{"url_news", quoted(repeat("中", 253) + "😀")}})));
}

TEST_F(LoadConfigFromFile, The256CharacterNewsUrlRejectsTheWholeFile) {
  EXPECT_FALSE(load_text(config_text({{"url_news", quoted(repeat("n", 256))}})));
  EXPECT_TRUE(block_is_untouched());
}

TEST_F(LoadConfigFromFile, EveryKeyIsRequiredAndMustBeAString) {
  for (const char* key : kKeys) {
    for (const char* raw : {"", "null", "5", "true", "[]", "{}", "[\"text\"]"}) {
      EXPECT_FALSE(load_text(config_text({{key, raw}}))) << key << " = " << raw;
      EXPECT_TRUE(block_is_untouched()) << key << " = " << raw;
    }
  }
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadConfigFromFile, KeysAreCaseSensitive) {
  EXPECT_FALSE(load_text(config_text({{"url_news", ""}, {"URL_NEWS", quoted("x")}})));
}

TEST_F(LoadConfigFromFile, UrlsEndAtAnEscapedZeroAndHaveNoLengthLimit) {
  ASSERT_TRUE(load_text(config_text({{"url_codecs", quoted("https://c/\\u0000tail")},
                                     {"url_update", quoted(repeat("u", 100'000))}})));
  EXPECT_EQ(url_codecs, "https://c/");
  EXPECT_EQ(url_update.size(), 100'000u);
}

TEST_F(LoadConfigFromFile, TextsThatAreNotAnObjectAreRejectedWithoutALine) {
  for (const std::string text : {"", "[]", "\"text\"", "{", "{\"url_news\": }", "null", "{} x"}) {
    EXPECT_FALSE(load_text(text)) << text;
  }
  EXPECT_FALSE(load_text(config_text() + ","));
  EXPECT_FALSE(load_text(config_text().substr(0, 40)));
  EXPECT_TRUE(block_is_untouched());
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadConfigFromFile, AnUnreadableFileWritesLine63) {
  EXPECT_FALSE(load_config_from_file((dir / "missing").u16string(), url_update, url_codecs, block));
  EXPECT_EQ(log.lines(), (std::vector<logged_line>{
                             {300, "main - `anonymous-namespace'::load_config_from_file, 63"}}));
  EXPECT_TRUE(block_is_untouched());
}

TEST_F(LoadConfigFromFile, AFileOverOneMebibyteIsRefusedBeforeParsing) {
  const std::string text = config_text();
  const std::size_t limit = 1024 * 1024;
  // Whitespace padding keeps the text valid JSON at any length.
  EXPECT_TRUE(load_text(text + std::string(limit - text.size(), ' ')));
  EXPECT_TRUE(log.lines().empty());
  url_codecs = "old codecs";
  url_update = "old update";
  std::memset(&block, 0, sizeof block);
  EXPECT_FALSE(load_text(text + std::string(limit + 1 - text.size(), ' ')));
  EXPECT_EQ(log.texts(), std::vector<std::string>{"main - `anonymous-namespace'::load_config_from_file, 63"});
  EXPECT_TRUE(block_is_untouched());
}

}  // namespace
}  // namespace vcam::launcher
