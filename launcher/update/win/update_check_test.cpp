// The update check end to end against the fixture server: the description,
// the notes and the patcher served per test, the prompt and the failure
// message answered as a user would (Enter, Escape), the patcher fetched on
// the task runner behind the progress window and handed the process id.
#include "launcher/update/win/windows_update_port.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/testing/test_bytes.h"
#include "launcher/assets/md5_digest.h"
#include "launcher/assets/win/testing/launcher_ui_session.h"
#include "launcher/update/update_texts.h"
#include "launcher/update/win/start_patcher.h"
#include "tools/https_server/fixture_answers.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using wintest::alert_answerer;
using wintest::launcher_ui_session;

std::string hex_of(std::string_view b) {
  const std::u16string d = md5_hex(b);
  return std::string(d.begin(), d.end());
}

std::string file_text(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string own_patcher() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return file_text(std::filesystem::path(path).parent_path() / "patch.exe");
}

class UpdateCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ui = std::make_unique<launcher_ui_session>();
    ASSERT_TRUE(ui->ready());
    ui->session.set_latest_version = [this](const std::u16string& v) { latest = v; };
    update_path = "/update/" + ui->test_name + "/latest";
    options.stall_seconds = 3;
    options.progress.on_shown = [this](void*) { ++progress_windows; };
    // The boot sequence's folder set makes it.
    std::filesystem::create_directories(patcher_file().parent_path());
  }
  void TearDown() override { ui.reset(); }

  void describe(int flag, const std::string& version, const std::string& patcher, const std::string& md5 = "") {
    testing::serve_bytes(ui->server, update_path,
                         "{\"flag\": " + std::to_string(flag) + ", \"size\": " + std::to_string(patcher.size()) +
                             ", \"version\": \"" + version + "\", \"md5\": \"" +
                             (md5.empty() ? hex_of(patcher) : md5) + "\"}");
    testing::serve_bytes(ui->server, patcher_path(version), patcher);
  }
  std::string patcher_path(const std::string& version) const { return update_path + version + ".exe"; }
  bool check() { return check_update(ui->session, ui->server.url(update_path), mandatory, options); }
  std::filesystem::path patcher_file() const { return ui->folder / "patch" / "patch.exe"; }

  std::unique_ptr<launcher_ui_session> ui;
  std::string update_path;
  update_check_options options;
  int progress_windows = 0;
  std::u16string latest;
  bool mandatory = false;
};

TEST_F(UpdateCheck, AMandatoryPromptDeclinedWithEscapeGivesTheMandatoryResult) {
  describe(1, "9.9", "MZ patcher");
  alert_answerer answers({VK_ESCAPE});
  EXPECT_FALSE(check());
  EXPECT_EQ(answers.stuck, 0);
  EXPECT_TRUE(mandatory);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(answers.seen[0].title, kMandatoryUpdateTitle);
  EXPECT_FALSE(answers.seen[0].two_buttons);
  EXPECT_EQ(answers.seen[0].lines, std::vector<std::u16string>{default_mandatory_note(u"9.9")});
  EXPECT_EQ(ui->server.requests_for(patcher_path("9.9")).size(), 0u);
  EXPECT_EQ(ui->splash.calls, std::vector<std::string>{"hide"});
  EXPECT_EQ(latest, u"9.9");
}

TEST_F(UpdateCheck, AMandatoryPromptClosedWithButton1002GivesTheMandatoryResult) {
  describe(1, "9.8", "MZ patcher");
  alert_answerer answers({wintest::kClickCloseButton});
  EXPECT_FALSE(check());
  EXPECT_EQ(answers.stuck, 0) << "the click on 1002 did not end the prompt";
  EXPECT_TRUE(mandatory);
  EXPECT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(ui->server.requests_for(patcher_path("9.8")).size(), 0u);
}

TEST_F(UpdateCheck, NotesWithCrLfAndAnEmptyLineShowTwoLinesInTheOptionalPrompt) {
  describe(0, "7.0", "MZ patcher");
  testing::serve_bytes(ui->server, "/config/7.0.log", "\xE7\xAC\xAC\xE4\xB8\x80\r\n\r\nsecond\r\n");
  alert_answerer answers({VK_ESCAPE});
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(answers.seen[0].title, kOptionalUpdateTitle);
  EXPECT_TRUE(answers.seen[0].two_buttons);
  EXPECT_EQ(answers.seen[0].message, u"");
  EXPECT_EQ(answers.seen[0].lines, (std::vector<std::u16string>{u"第一", u"second"}));
}

TEST_F(UpdateCheck, AnOlderVersionIsOfferedAndAVerifiedPatcherIsReusedWithoutADownload) {
  const std::string patcher = "MZ already here";
  describe(0, "0.1", patcher);
  testing::write_bytes(patcher_file(), testing::text_bytes(patcher));
  alert_answerer answers({VK_RETURN});
  EXPECT_TRUE(check());
  EXPECT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(ui->server.requests_for(patcher_path("0.1")).size(), 0u);
  EXPECT_EQ(progress_windows, 0);
}

TEST_F(UpdateCheck, TheSamePublishedVersionIsNoUpdate) {
  describe(1, ui->test_name, "MZ");
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_TRUE(ui->splash.calls.empty());
  EXPECT_EQ(latest, u"");
}

TEST_F(UpdateCheck, APatcherThatNeverMatchesIsFetchedThreeTimesThenTheFailureAlertShows) {
  describe(0, "8.0", "MZ not the published patcher", "0123456789abcdef0123456789abcdef");
  alert_answerer answers({VK_RETURN, VK_RETURN});
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(ui->server.requests_for(patcher_path("8.0")).size(), 3u);
  EXPECT_EQ(progress_windows, 1);
  ASSERT_EQ(answers.seen.size(), 2u);
  EXPECT_EQ(answers.seen[1].title, kPatchDownloadFailedTitle);
  EXPECT_EQ(answers.seen[1].message, kPatchDownloadFailedText);
  EXPECT_FALSE(answers.seen[1].two_buttons);
}

TEST_F(UpdateCheck, AFailedMandatoryDownloadKeepsTheMandatoryResult) {
  describe(2, "8.1", "MZ");
  testing::set_answer(ui->server, patcher_path("8.1"), "status 404");
  alert_answerer answers({VK_RETURN, VK_RETURN});
  EXPECT_FALSE(check());
  EXPECT_TRUE(mandatory);
  EXPECT_EQ(ui->server.requests_for(patcher_path("8.1")).size(), 3u);
}

TEST_F(UpdateCheck, AnAcceptedUpdateFetchesThePatcherWhichThenGetsTheProcessId) {
  const std::string patcher = own_patcher();
  ASSERT_GT(patcher.size(), 1000u) << "patch.exe is copied beside the test";
  describe(0, "6.1", patcher);
  alert_answerer answers({VK_RETURN});
  ASSERT_TRUE(check());
  EXPECT_EQ(file_text(patcher_file()), patcher);
  EXPECT_EQ(progress_windows, 1);
  ASSERT_TRUE(start_patcher(ui->session.application_folder));
  const std::filesystem::path record = ui->folder / "patch" / "patch-command-line.txt";
  ASSERT_TRUE(wintest::pump_until([&] { return file_text(record).find('\n') != file_text(record).rfind('\n'); }));
  const std::string text = file_text(record);
  EXPECT_EQ(text.substr(text.find('\n') + 1), std::to_string(::GetCurrentProcessId()) + "\n");
}

TEST_F(UpdateCheck, AnUndownloadableDescriptionMeansNoUpdate) {
  testing::set_answer(ui->server, update_path, "fail");
  EXPECT_FALSE(check());
  EXPECT_FALSE(mandatory);
  EXPECT_EQ(ui->server.requests_for(update_path).size(), 3u);
}

}  // namespace
}  // namespace vcam::launcher
