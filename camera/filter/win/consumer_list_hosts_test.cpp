// The consumer list as the uninstaller reads it, kept by real hosts of
// vcam_source.ax: the capture tool while it streams from the registered
// camera, and the system registration tool while it registers it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "camera/channel/channel_names.h"
#include "camera/channel/consumer_list_text.h"
#include "camera/filter/win/testing/consumer_list_reader.h"
#include "camera/filter/win/testing/registration_tool.h"
#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera {
namespace {

using testing::camera_module_path;
using testing::run_regsvr32;

using ListReader = testing::ConsumerListReader;

bool has_entry(const std::u16string& text, const std::u16string& path) {
  std::array<char16_t, kListCapacity> units{};
  std::memcpy(units.data(), text.data(), std::min(text.size(), units.size() - 1) * sizeof(char16_t));
  for (const std::u16string& piece : ConsumerListText(units).pieces(false))
    if (piece == path) return true;
  return false;
}

std::string narrow(const std::u16string& text) { return utf16_to_utf8(text); }

// A program run with its output thrown away.
class QuietProcess {
 public:
  explicit QuietProcess(std::wstring command) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile nul(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
      process_.reset(info.hProcess);
      ::CloseHandle(info.hThread);
    }
  }
  ~QuietProcess() {
    if (process_ && !Exited(0)) {
      ::TerminateProcess(process_.get(), 99);
      ::WaitForSingleObject(process_.get(), 10'000);
    }
  }
  explicit operator bool() const { return static_cast<bool>(process_); }
  bool Exited(DWORD wait_ms) const { return ::WaitForSingleObject(process_.get(), wait_ms) != WAIT_TIMEOUT; }
  DWORD ExitCode() const {
    DWORD code = ~0u;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  UniqueHandle process_;
};

class ConsumerListHosts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registered_ = run_regsvr32(L"/s \"" + camera_module_path() + L"\"") == 0; }
  static void TearDownTestSuite() { run_regsvr32(L"/s /u \"" + camera_module_path() + L"\""); }

  void SetUp() override {
    ASSERT_TRUE(registered_);
    ASSERT_TRUE(list_.Open());
    const auto text = list_.Text();
    ASSERT_TRUE(text);
    before_ = *text;
  }

  static inline bool registered_ = false;
  ListReader list_;
  std::u16string before_;
};

TEST_F(ConsumerListHosts, CaptureToolIsListedWhileItHasTheCameraAndNotAfterItEnds) {
  const std::u16string tool = application_folder() + u"vcam_capture.exe";
  ASSERT_FALSE(has_entry(before_, tool));
  QuietProcess capture(L"\"" + std::wstring(wide(tool)) + L"\" --device ZeloCamV10 --frames 20");
  ASSERT_TRUE(capture);
  bool listed = false;
  while (!capture.Exited(10)) {
    const auto text = list_.Text();
    if (text && has_entry(*text, tool)) listed = true;
  }
  EXPECT_EQ(capture.ExitCode(), 0u) << "the capture did not stream";
  EXPECT_TRUE(listed) << "never listed as " << narrow(tool);
  const auto after = list_.Text();
  ASSERT_TRUE(after);
  EXPECT_EQ(narrow(*after), narrow(before_)) << "the list is as it was";
}

TEST_F(ConsumerListHosts, RegistrationToolIsListedOnlyWhileItHasTheModuleLoaded) {
  const std::u16string tool(u16(testing::registration_tool_path().c_str()));
  ASSERT_FALSE(has_entry(before_, tool));
  // The tool holds the module for a few milliseconds of its run; a watcher
  // spinning on the region catches it there, and a few runs make a miss
  // through bad scheduling unlikely.
  std::atomic<bool> stop{false}, seen{false};
  std::thread watcher([&] {
    const std::u16string entry = tool + u";";
    while (!stop) {
      if (list_.UnlockedText().find(entry) != std::u16string::npos) seen = true;
      ::Sleep(0);
    }
  });
  int runs = 0;
  for (; runs < 4 && !seen; ++runs) EXPECT_EQ(run_regsvr32(L"/s \"" + camera_module_path() + L"\""), 0u);
  stop = true;
  watcher.join();
  EXPECT_TRUE(seen) << "not seen in " << runs << " runs of " << narrow(tool);
  const auto after = list_.Text();
  ASSERT_TRUE(after);
  EXPECT_EQ(narrow(*after), narrow(before_)) << "no entry is left behind";
}

}  // namespace
}  // namespace vcam::camera
