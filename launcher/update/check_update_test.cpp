#include "launcher/update/check_update.h"

#include <gtest/gtest.h>

#include <map>

#include "launcher/log/testing/log_capture.h"
#include "launcher/update/update_texts.h"

namespace vcam::launcher {
namespace {

const std::string kUpdateUrl = "https://u.test/update/";
const std::string kConfigBase = "https://cfg.test/config/";

std::string description(int flag, const std::string& version, const std::string& md5 = "patchmd5") {
  return "{\"flag\": " + std::to_string(flag) + ", \"size\": 4096, \"version\": \"" + version + "\", \"md5\": \"" +
         md5 + "\"}";
}

class fake_update_port final : public update_port {
 public:
  std::map<std::string, std::string> texts;  // URL -> body; missing: the download fails
  std::u16string current = u"2.0";
  int prompt_result = 1;
  std::u16string patcher_digest;
  bool patcher_downloads = true;

  std::vector<std::string> calls;
  update_prompt shown;
  std::u16string latest;

  bool download_text(const std::string& url, std::string& text) override {
    calls.push_back("text " + url);
    const auto it = texts.find(url);
    if (it == texts.end()) return false;
    text = it->second;
    return true;
  }
  std::u16string current_version() override { return current; }
  std::string url_text(const std::u16string& version) override { return std::string(version.begin(), version.end()); }
  void set_latest_version(const std::u16string& version) override {
    calls.push_back("latest");
    latest = version;
  }
  void hide_splash() override { calls.push_back("hide splash"); }
  int show_prompt(const update_prompt& prompt) override {
    calls.push_back("prompt");
    shown = prompt;
    return prompt_result;
  }
  std::u16string patcher_md5() override {
    calls.push_back("patcher md5");
    return patcher_digest;
  }
  bool download_patcher(const std::string& url, const update_config& config) override {
    calls.push_back("patcher " + url + " " + std::to_string(config.size));
    return patcher_downloads;
  }
  void show_download_failure() override { calls.push_back("failure message"); }
};

class CheckUpdate : public ::testing::Test {
 protected:
  bool check() {
    mandatory = true;  // check_update starts it clear
    return check_update(kUpdateUrl, kConfigBase, port, mandatory);
  }

  log_capture log;
  fake_update_port port;
  bool mandatory = false;
};

TEST_F(CheckUpdate, AnUndownloadableDescriptionWritesLine115AndGoesOn) {
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(port.calls, std::vector<std::string>{"text " + kUpdateUrl});
  EXPECT_EQ(log.texts(), std::vector<std::string>{"update - check_update, 115"});
}

TEST_F(CheckUpdate, AnUnparsableDescriptionWritesLines34And118) {
  port.texts[kUpdateUrl] = "<html>";
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"update - update_config::load, 34", "update - check_update, 118"}));
  log.clear();
  port.texts[kUpdateUrl] = R"({"flag": 1, "size": 1, "version": "3.0"})";
  EXPECT_FALSE(check());
  EXPECT_EQ(log.texts(), std::vector<std::string>{"update - check_update, 118"});
  EXPECT_EQ(port.calls.size(), 2u);
}

TEST_F(CheckUpdate, TheCurrentVersionIsNoUpdate) {
  port.texts[kUpdateUrl] = description(1, "2.0");
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(port.calls, std::vector<std::string>{"text " + kUpdateUrl});
  EXPECT_EQ(port.latest, u"");
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(CheckUpdate, ALowerVersionIsOfferedWithItsNotes) {
  port.texts[kUpdateUrl] = description(0, "1.9");
  port.texts[kConfigBase + "1.9.log"] = "fixes\r\n\r\nmore fixes\r\n";
  port.prompt_result = 2;
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(port.latest, u"1.9");
  EXPECT_EQ(port.calls, (std::vector<std::string>{"text " + kUpdateUrl, "latest", "text " + kConfigBase + "1.9.log",
                                                  "hide splash", "prompt"}));
  EXPECT_EQ(port.shown.buttons, 2);
  EXPECT_EQ(port.shown.title, kOptionalUpdateTitle);
  EXPECT_EQ(port.shown.lines, (std::vector<std::u16string>{u"fixes", u"more fixes"}));
}

TEST_F(CheckUpdate, ADeclinedMandatoryUpdateSetsMandatory) {
  port.texts[kUpdateUrl] = description(1, "3.0");
  for (int result : {0, 2, 1002}) {
    port.prompt_result = result;
    EXPECT_FALSE(check()) << result;
    EXPECT_TRUE(mandatory) << result;
    EXPECT_EQ(port.calls.back(), "prompt");
    port.calls.clear();
  }
  EXPECT_EQ(port.shown.buttons, 1);
  EXPECT_EQ(port.shown.lines, std::vector<std::u16string>{default_mandatory_note(u"3.0")});
}

TEST_F(CheckUpdate, AnAcceptedUpdateWhosePatcherIsPresentStartsItWithoutADownload) {
  port.texts[kUpdateUrl] = description(0, "3.0");
  port.patcher_digest = u"patchmd5";
  EXPECT_TRUE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(port.calls.back(), "patcher md5");
}

TEST_F(CheckUpdate, AnAcceptedUpdateDownloadsThePatcherFromTheUpdateUrl) {
  port.texts[kUpdateUrl] = description(1, "3.0");
  port.patcher_digest = u"stale";
  EXPECT_TRUE(check());
  EXPECT_TRUE(mandatory);
  EXPECT_EQ(port.calls.back(), "patcher https://u.test/update/3.0.exe 4096");
}

TEST_F(CheckUpdate, AFailedPatcherDownloadShowsTheMessage) {
  port.texts[kUpdateUrl] = description(0, "3.0");
  port.patcher_downloads = false;
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(port.calls.back(), "failure message");

  port.texts[kUpdateUrl] = description(5, "3.0");
  EXPECT_FALSE(check());
  EXPECT_TRUE(mandatory);
}

TEST_F(CheckUpdate, AnEmptyDigestDoesNotTakeAMissingPatcherForAVerifiedOne) {
  port.texts[kUpdateUrl] = description(0, "3.0", "");
  port.patcher_digest = u"";
  port.patcher_downloads = false;
  EXPECT_FALSE(check());
  EXPECT_EQ(port.calls.back(), "failure message");
}

}  // namespace
}  // namespace vcam::launcher
