// RunVCAPP against the registry, the process list and the shell of the
// test's Wine prefix, with a stand-in companion program.
#include "camera/filter/win/run_vcapp.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "camera/filter/win/testing/companion_setup.h"
#include "camera/filter/win/testing/debug_output_capture.h"
#include "common/path_text.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera {
namespace {

using testing::companion_processes;
using testing::CompanionSetup;
using testing::DebugOutputCapture;
using testing::wait_for_companions;

constexpr char kAlreadyRunning[] = "RunVCAPP:app is already running\n";

int count_of(const std::vector<std::string>& messages, const std::string& text) {
  return static_cast<int>(std::count(messages.begin(), messages.end(), text));
}

class RunVcapp : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(companion_processes().empty()) << "a stand-in from an earlier run"; }
  CompanionSetup setup_;
};

TEST_F(RunVcapp, StartsTheCompanionOnceAndThenFindsItRunning) {
  setup_.SetRun(CompanionSetup::StubPath());
  DebugOutputCapture debug;
  RunVCAPP();
  ASSERT_TRUE(wait_for_companions(1, 20'000));
  EXPECT_EQ(count_of(debug.Messages(), kAlreadyRunning), 0);
  RunVCAPP();
  EXPECT_EQ(companion_processes().size(), 1u);
  EXPECT_EQ(count_of(debug.Messages(), kAlreadyRunning), 1);
}

TEST_F(RunVcapp, FileNameIsComparedWithoutCase) {
  std::wstring upper = CompanionSetup::StubPath();
  const size_t name = upper.rfind(L'\\') + 1;
  std::transform(upper.begin() + static_cast<long>(name), upper.end(), upper.begin() + static_cast<long>(name),
                 ::towupper);
  setup_.SetRun(CompanionSetup::StubPath());
  RunVCAPP();
  ASSERT_TRUE(wait_for_companions(1, 20'000));
  setup_.SetRun(upper);
  DebugOutputCapture debug;
  RunVCAPP();
  EXPECT_EQ(companion_processes().size(), 1u);
  EXPECT_EQ(count_of(debug.Messages(), kAlreadyRunning), 1);
}

// A copy of the stand-in in a folder of its own beside the test, removed
// with the folder once its process has ended.
class CopyElsewhere {
 public:
  CopyElsewhere()
      : folder_(std::wstring(wide(application_folder())) + L"companion_elsewhere"),
        path_(folder_ + L"\\" + testing::kCompanionExe) {
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    copied_ = ::CopyFileW(CompanionSetup::StubPath().c_str(), path_.c_str(), FALSE) != FALSE;
  }
  ~CopyElsewhere() {
    if (process_) ::WaitForSingleObject(process_.get(), 10'000);
    process_.reset();
    ::DeleteFileW(path_.c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }
  CopyElsewhere(const CopyElsewhere&) = delete;
  CopyElsewhere& operator=(const CopyElsewhere&) = delete;

  bool Start() {
    if (!copied_) return false;
    process_ = vcam::testing::start_program(L"\"" + path_ + L"\"");
    return static_cast<bool>(process_);
  }
  // The executable path of the running copy, empty when it is not running.
  std::wstring RunningImage() const {
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process_ || ::WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT) return {};
    if (!::QueryFullProcessImageNameW(process_.get(), 0, image, &size)) return {};
    return image;
  }
  const std::wstring& folder() const { return folder_; }

 private:
  std::wstring folder_;
  std::wstring path_;
  bool copied_ = false;
  UniqueHandle process_;
};

TEST_F(RunVcapp, SameFileNameRunningFromAnotherFolderCountsAsRunning) {
  CopyElsewhere elsewhere;
  ASSERT_TRUE(elsewhere.Start());
  ASSERT_TRUE(wait_for_companions(1, 20'000));
  const std::wstring image = elsewhere.RunningImage();
  ASSERT_NE(image.find(elsewhere.folder()), std::wstring::npos) << "the one running is the copy";
  setup_.SetRun(CompanionSetup::StubPath());
  DebugOutputCapture debug;
  RunVCAPP();
  EXPECT_EQ(companion_processes().size(), 1u) << "nothing more was started";
  EXPECT_EQ(count_of(debug.Messages(), kAlreadyRunning), 1);
  setup_.EndCompanions();
}

TEST_F(RunVcapp, MissingFileStartsNothingAndSaysNothing) {
  setup_.SetRun(std::wstring(wide(application_folder())) + L"no_such_companion.exe");
  DebugOutputCapture debug;
  RunVCAPP();
  EXPECT_TRUE(companion_processes().empty());
  EXPECT_TRUE(debug.Messages().empty());
}

TEST_F(RunVcapp, MissingValueStartsNothing) {
  setup_.DeleteRun();
  EXPECT_TRUE(read_companion_path().empty());
  RunVCAPP();
  EXPECT_TRUE(companion_processes().empty());
}

TEST_F(RunVcapp, FolderIsNotAProgram) {
  std::wstring folder = std::wstring(wide(application_folder()));
  folder.pop_back();
  setup_.SetRun(folder);
  RunVCAPP();
  EXPECT_TRUE(companion_processes().empty());
}

TEST_F(RunVcapp, ValuesLongerThan255CharactersCountAsMissing) {
  const std::wstring fits(255, L'x');
  setup_.SetRun(fits);
  EXPECT_EQ(read_companion_path().size(), 255u);
  setup_.SetRun(fits + L"x");
  EXPECT_TRUE(read_companion_path().empty());
}

TEST_F(RunVcapp, ProcessSearchMatchesWholeFileNames) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::u16string name(file_name_of(u16(self)));
  EXPECT_TRUE(is_process_running(name));
  EXPECT_FALSE(is_process_running(name.substr(1)));
  EXPECT_FALSE(is_process_running(u""));
}

}  // namespace
}  // namespace vcam::camera
