// The hand-off to the patcher stand-in (tools/outside/patch), which records
// how it was started beside itself.
#include "launcher/update/win/start_patcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/testing/scratch_folder.h"

namespace vcam::launcher {
namespace {

std::filesystem::path own_folder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

// Waits up to 20 s for the file the patcher writes, then reads it.
std::string wait_for_text(const std::filesystem::path& file) {
  for (int i = 0; i < 400; ++i) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    // The record ends with a line feed once complete.
    if (text.str().size() > 1 && text.str().back() == '\n' && text.str().find('\n') != text.str().size() - 1)
      return text.str();
    ::Sleep(50);
  }
  return {};
}

TEST(StartPatcher, ThePatcherGetsTheLaunchersProcessId) {
  vcam::testing::ScratchFolder dir("start_patcher_");
  std::filesystem::create_directories(dir / "patch");
  std::filesystem::copy_file(own_folder() / "patch.exe", dir / "patch" / "patch.exe");
  EXPECT_TRUE(start_patcher(dir.path().u16string() + u"\\"));
  const std::string record = wait_for_text(dir / "patch" / "patch-command-line.txt");
  ASSERT_FALSE(record.empty()) << "the patcher did not run";
  const std::string arguments = record.substr(record.find('\n') + 1);
  EXPECT_EQ(arguments, std::to_string(::GetCurrentProcessId()) + "\n");
  EXPECT_NE(record.find("patch.exe"), std::string::npos);
}

TEST(StartPatcher, AMissingPatcherIsReportedNotShown) {
  vcam::testing::ScratchFolder dir("start_patcher_");
  EXPECT_FALSE(start_patcher(dir.path().u16string() + u"\\"));
}

}  // namespace
}  // namespace vcam::launcher
