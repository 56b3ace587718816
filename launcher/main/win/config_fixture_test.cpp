// The configuration step pointed at the fixture server through the run-time
// override of the configuration server, with the server told per test how to
// answer (errors, broken connections, corrupted bodies).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/main/load_configuration.h"
#include "launcher/remote/config_server.h"
#include "launcher/remote/whole_file.h"
#include "tools/https_server/fixture_answers.h"

namespace vcam::launcher {
namespace {

using vcam::testing::https_test_server;

std::string config_with_news(const std::string& news, const std::string& codecs = "https://codecs.test/") {
  return "{\"url_news\": \"" + news +
         "\", \"url_effect\": \"e\", \"url_effect_download\": \"d\", \"exclude\": \"x\", \"url_codecs\": \"" +
         codecs + "\", \"url_update\": \"https://update.test/\"}";
}

std::string file_text(const std::filesystem::path& path) {
  std::string s;
  if (read_whole_file(path.u16string(), kRemoteFileLimit, s) != whole_file_result::read) return "<unreadable>";
  return s;
}

class ConfigurationFromFixtureServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server = https_test_server::from_environment();
    ASSERT_TRUE(server.available()) << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", wide_url(server.url("/config")).c_str()));
    // One version per test, so tests never read one another's files.
    version = std::string("fixture-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    origin = launcher_remote_origin(version, dir.path().u16string() + u"\\");
    std::memset(&block, 0, sizeof block);
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"VCAM_CONFIG_SERVER", nullptr); }

  static std::wstring wide_url(const std::string& url) { return std::wstring(url.begin(), url.end()); }
  std::string path() const { return "/config/" + version + ".json"; }
  void serve(const std::string& body) { vcam::testing::serve_bytes(server, path(), body); }
  void keep_local(const std::string& body) { vcam::testing::write_bytes(dir / "config-local", vcam::testing::text_bytes(body)); }
  bool load() { return load_configuration(download_remote_file, origin, block, url_codecs, url_update); }
  std::size_t requests() const { return server.requests_for(path()).size(); }

  https_test_server server;
  vcam::testing::ScratchFolder dir{"config_fixture_"};
  std::string version;
  remote_origin origin;
  log_capture log;
  ClientStartupBlock block;
  std::string url_codecs, url_update;
};

TEST_F(ConfigurationFromFixtureServer, TheOverrideDecidesWhereTheFileIsFetched) {
  EXPECT_EQ(origin.base_url, server.url("/config/"));
  serve(config_with_news("served"));
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"served");
  EXPECT_EQ(requests(), 1u);
}

TEST_F(ConfigurationFromFixtureServer, ANewsUrlOf256CharactersRejectsTheDownloadAndTheLocalCopyIsUsed) {
  serve(config_with_news(std::string(256, 'n')));
  const std::string local = config_with_news(std::string(255, 'l'));
  keep_local(local);
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), std::u16string(255, u'l'));
  EXPECT_EQ(file_text(dir / "config-local"), local);
  EXPECT_EQ(file_text(dir / "config"), config_with_news(std::string(256, 'n')));
}

TEST_F(ConfigurationFromFixtureServer, TwoServerErrorsThenTheThirdAttemptIsPromotedByteForByte) {
  const std::string body = "\xEF\xBB\xBF" + config_with_news("third") + "\r\n";
  serve(body);
  vcam::testing::set_answer(server, path(), "first 2 status 500");
  keep_local(config_with_news("old"));
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"third");
  EXPECT_EQ(requests(), 3u);
  EXPECT_EQ(file_text(dir / "config-local"), body);
}

TEST_F(ConfigurationFromFixtureServer, ABrokenConnectionIsTriedThreeTimesThenTheLocalCopyIsUsed) {
  serve(config_with_news("never seen"));
  vcam::testing::set_answer(server, path(), "fail");
  keep_local(config_with_news("local"));
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"local");
  EXPECT_EQ(requests(), 3u);
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST_F(ConfigurationFromFixtureServer, ACorruptedBodyIsNotPromoted) {
  serve(config_with_news("served"));
  vcam::testing::set_answer(server, path(), "corrupt");
  const std::string local = config_with_news("local");
  keep_local(local);
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"local");
  EXPECT_EQ(file_text(dir / "config-local"), local);
  // One attempt: the transfer itself succeeded.
  EXPECT_EQ(requests(), 1u);
}

TEST_F(ConfigurationFromFixtureServer, WithoutAUsableCopyTheStepFails) {
  vcam::testing::set_answer(server, path(), "status 404");
  keep_local("{\"url_news\": ");
  EXPECT_FALSE(load());
  EXPECT_EQ(requests(), 3u);
  EXPECT_EQ(file_text(dir / "config-local"), "{\"url_news\": ");
}

TEST_F(ConfigurationFromFixtureServer, AServedTemplateNamesTheServerItCameFrom) {
  serve(config_with_news("t", "@BASE@/codecs/"));
  vcam::testing::set_answer(server, path(), "template");
  ASSERT_TRUE(load());
  EXPECT_EQ(url_codecs, server.url("/codecs/"));
}

}  // namespace
}  // namespace vcam::launcher
