// zelovcamcount.exe run as the crash handler and the uninstaller run it,
// against the local test server's counter, a refusing port and a server that
// never answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/wide.h"
#include "tools/https_server/https_test_server.h"
#include "tools/outside/testing/receiver_records.h"

namespace vcam::counter {
namespace {

class CounterProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = testing::https_test_server::from_environment();
    ASSERT_TRUE(server_.available()) << "runs with the counter_server fixture";
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"VCAM_COUNT_URL", nullptr); }

  // Runs the counter with the URL in its environment; the exit code, and the
  // wall time from before its start to its end in `ms`.
  DWORD run(const std::string& url, const std::wstring& args, DWORD& ms) {
    ::SetEnvironmentVariableW(L"VCAM_COUNT_URL", std::wstring(url.begin(), url.end()).c_str());
    const std::wstring exe = std::wstring(wide(application_folder())) + L"zelovcamcount.exe";
    const DWORD start = ::GetTickCount();
    const DWORD code = testing::run_program(L"\"" + exe + L"\" " + args, 20000).code;
    ms = ::GetTickCount() - start;
    return code;
  }

  std::size_t count_of(const std::string& event) const {
    std::size_t n = 0;
    for (const auto& r : testing::counted_events())
      if (!r.empty() && r[0] == event) ++n;
    return n;
  }

  testing::https_test_server server_;
};

TEST_F(CounterProgramTest, RecordsEachEventWithItsTime) {
  const std::size_t crashes = count_of("crash"), uninstalls = count_of("uninstall");
  DWORD ms = 0;
  const auto before = static_cast<long long>(std::time(nullptr));
  EXPECT_EQ(run(server_.url("/VCamCount.php"), L"crash", ms), 0u);
  EXPECT_EQ(run(server_.url("/VCamCount.php"), L"uninstall", ms), 0u);
  const auto after = static_cast<long long>(std::time(nullptr));
  EXPECT_EQ(count_of("crash"), crashes + 1);
  EXPECT_EQ(count_of("uninstall"), uninstalls + 1);
  const auto records = testing::counted_events();
  ASSERT_FALSE(records.empty());
  ASSERT_EQ(records.back().size(), 2u);
  EXPECT_EQ(records.back()[0], "uninstall");
  const long long stamp = std::stoll(records.back()[1]);
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
}

TEST_F(CounterProgramTest, RefusesUnknownEventsWithoutAnyRequest) {
  const std::size_t requests = server_.requests_for("/VCamCount.php").size();
  DWORD ms = 0;
  EXPECT_EQ(run(server_.url("/VCamCount.php"), L"reboot", ms), 2u);
  EXPECT_EQ(run(server_.url("/VCamCount.php"), L"", ms), 2u);
  EXPECT_EQ(run(server_.url("/VCamCount.php"), L"crash crash", ms), 2u);
  EXPECT_EQ(server_.requests_for("/VCamCount.php").size(), requests);
}

TEST_F(CounterProgramTest, ARefusedConnectionEndsAtOnce) {
  DWORD ms = 0;
  EXPECT_EQ(run("https://127.0.0.1:1/VCamCount.php", L"crash", ms), 1u);
  EXPECT_LT(ms, 5000u);
}

TEST_F(CounterProgramTest, AServerThatNeverAnswersCannotHoldItPastFiveSeconds) {
  // The server takes the request and sends nothing for up to two minutes.
  DWORD ms = 0;
  EXPECT_EQ(run(server_.url("/__/stall/0/100"), L"crash", ms), 3u);
  EXPECT_LT(ms, 5000u);
  EXPECT_GE(ms, 2000u) << "it did wait for an answer";
}

}  // namespace
}  // namespace vcam::counter
