#include "launcher/main/load_configuration.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/remote/testing/serving_download.h"
#include "launcher/remote/whole_file.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using testing::ScratchFolder;
using testing::text_bytes;
using testing::write_bytes;

std::string config_with_news(const std::string& news) {
  return "{\"url_news\": \"" + news +
         "\", \"url_effect\": \"e\", \"url_effect_download\": \"d\", \"exclude\": \"x\","
         " \"url_codecs\": \"https://codecs.test/\", \"url_update\": \"https://update.test/\"}";
}

bytes file_bytes(const std::filesystem::path& path) {
  std::string s;
  if (read_whole_file(path.u16string(), kRemoteFileLimit, s) != whole_file_result::read) return {};
  return bytes(s.begin(), s.end());
}

class LoadConfiguration : public ::testing::Test {
 protected:
  LoadConfiguration() {
    std::memset(&block, 0, sizeof block);
    origin.application_folder = dir.path().u16string() + u"/";
  }

  // A download step that serves `body` (or fails when it is empty) and
  // records the URL it was asked for.
  remote_download serving(const std::string& body) { return vcam::testing::serving_download(body, &requested); }

  bool load(const remote_download& download) {
    return load_configuration(download, origin, block, url_codecs, url_update);
  }

  ScratchFolder dir{"load_configuration_"};
  log_capture log;
  remote_origin origin{"https://cfg.test/config/", "3.1.4", {}};
  ClientStartupBlock block;
  std::string url_codecs, url_update, requested;
};

TEST_F(LoadConfiguration, AValidDownloadIsUsedAndBecomesTheLocalCopy) {
  const std::string body = config_with_news("fresh");
  ASSERT_TRUE(load(serving(body)));
  EXPECT_EQ(requested, "https://cfg.test/config/3.1.4.json");
  EXPECT_EQ(std::u16string(block.url_news), u"fresh");
  EXPECT_EQ(url_codecs, "https://codecs.test/");
  EXPECT_EQ(url_update, "https://update.test/");
  EXPECT_EQ(file_bytes(dir / "config-local"), text_bytes(body));
}

TEST_F(LoadConfiguration, ADownloadWithASyntaxErrorLeavesTheLocalCopyByteForByte) {
  const bytes local = text_bytes("\xEF\xBB\xBF" + config_with_news("local") + "\r\n");
  write_bytes(dir / "config-local", local);
  ASSERT_TRUE(load(serving("{\"url_news\": \"broken\",")));
  EXPECT_EQ(std::u16string(block.url_news), u"local");
  EXPECT_EQ(file_bytes(dir / "config-local"), local);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(LoadConfiguration, ADownloadWithA256CharacterNewsUrlFallsBackToTheLocalCopy) {
  write_bytes(dir / "config-local", text_bytes(config_with_news("local")));
  ASSERT_TRUE(load(serving(config_with_news(std::string(256, 'n')))));
  EXPECT_EQ(std::u16string(block.url_news), u"local");
}

TEST_F(LoadConfiguration, AFailedDownloadUsesTheLocalCopy) {
  write_bytes(dir / "config-local", text_bytes(config_with_news("local")));
  ASSERT_TRUE(load(serving("")));
  EXPECT_EQ(std::u16string(block.url_news), u"local");
}

TEST_F(LoadConfiguration, NeitherCopyUsableFails) {
  EXPECT_FALSE(load(serving("")));
  // The missing local copy is the only unreadable file.
  EXPECT_EQ(log.texts(), std::vector<std::string>{"main - `anonymous-namespace'::load_config_from_file, 63"});

  write_bytes(dir / "config-local", text_bytes("[]"));
  EXPECT_FALSE(load(serving("{}")));
  EXPECT_EQ(std::u16string(block.url_news), u"");
  EXPECT_EQ(url_codecs, "");
}

TEST_F(LoadConfiguration, TheRemoteUrlNamesTheVersionsJsonFile) {
  EXPECT_EQ(remote_configuration_url(origin), "https://cfg.test/config/3.1.4.json");
}

}  // namespace
}  // namespace vcam::launcher
