// The configuration and the manifest fetched from the local HTTPS server
// (self-signed certificate) with the real download step.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/testing/scratch_folder.h"
#include "launcher/assets/decoder_manifest.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/main/load_configuration.h"
#include "launcher/remote/whole_file.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher {
namespace {

using vcam::testing::https_test_server;

std::string config_with_news(const std::string& news) {
  return "\xEF\xBB\xBF{\"url_news\": \"" + news +
         "\", \"url_effect\": \"e\", \"url_effect_download\": \"d\", \"exclude\": \"x\","
         " \"url_codecs\": \"https://codecs.test/\", \"url_update\": \"https://update.test/\"}";
}

std::string file_text(const std::filesystem::path& path) {
  std::string s;
  if (read_whole_file(path.u16string(), kRemoteFileLimit, s) != whole_file_result::read) return "<unreadable>";
  return s;
}

void write_text(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class RemoteConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = https_test_server::from_environment();
    ASSERT_TRUE(server.available()) << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    served = std::filesystem::path(server.root_folder()) / "config";
    std::filesystem::create_directories(served);
    // One version per test, so tests never read one another's files.
    version = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    origin = {server.url("/config/"), version, dir.path().u16string() + u"\\"};
    std::memset(&block, 0, sizeof block);
  }

  bool load() { return load_configuration(download_remote_file, origin, block, url_codecs, url_update); }
  std::size_t requests_for(const std::string& suffix) const {
    return server.requests_for("/config/" + version + suffix).size();
  }

  https_test_server server;
  vcam::testing::ScratchFolder dir{"remote_config_"};
  std::filesystem::path served;
  std::string version;
  remote_origin origin;
  log_capture log;
  ClientStartupBlock block;
  std::string url_codecs, url_update;
};

TEST_F(RemoteConfigurationTest, AServedConfigurationIsUsedAndKept) {
  const std::string body = config_with_news("served");
  write_text(served / (version + ".json"), body);
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"served");
  EXPECT_EQ(url_update, "https://update.test/");
  EXPECT_EQ(file_text(dir / "config-local"), body);
  EXPECT_EQ(requests_for(".json"), 1u);
}

TEST_F(RemoteConfigurationTest, AServedSyntaxErrorLeavesTheLocalCopyAsItWas) {
  write_text(served / (version + ".json"), "{\"url_news\": ");
  const std::string local = config_with_news("local") + "\r\n";
  write_text(dir / "config-local", local);
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"local");
  EXPECT_EQ(file_text(dir / "config-local"), local);
  EXPECT_EQ(file_text(dir / "config"), "{\"url_news\": ");
}

TEST_F(RemoteConfigurationTest, AMissingRemoteFileIsTriedThreeTimesThenTheLocalCopyIsUsed) {
  write_text(dir / "config-local", config_with_news("local"));
  ASSERT_TRUE(load());
  EXPECT_EQ(std::u16string(block.url_news), u"local");
  EXPECT_EQ(requests_for(".json"), 3u);
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST_F(RemoteConfigurationTest, NoCopyAtAllFails) {
  EXPECT_FALSE(load());
  EXPECT_EQ(log.texts(), std::vector<std::string>{"main - `anonymous-namespace'::load_config_from_file, 63"});
}

TEST_F(RemoteConfigurationTest, TheManifestListsWhatDiffersBelowTheApplicationFolder) {
  write_text(served / (version + ".manifest"),
             R"([{"name": "codecs\\a.dll", "file": "a.bin", "md5": "900150983cd24fb0d6963f7d28e17f72", "size": 3},
                 {"name": "b.dll", "file": "b.bin", "md5": "900150983cd24fb0d6963f7d28e17f72", "size": 3}])");
  std::filesystem::create_directories(dir / "codecs");
  write_text(dir / "codecs" / "a.dll", "abc");
  write_text(dir / "b.dll", "abd");
  std::vector<manifest_entry> entries;
  ASSERT_TRUE(load_decoder_manifest(download_remote_file, origin, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "b.dll");
  EXPECT_EQ(requests_for(".manifest"), 1u);
  EXPECT_TRUE(std::filesystem::exists(dir / "manifest_local"));
}

}  // namespace
}  // namespace vcam::launcher
