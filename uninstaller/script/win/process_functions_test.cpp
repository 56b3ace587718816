// The process functions on real processes: copies of the helper program
// started from a scratch folder, found, ended and waited for.
#include "uninstaller/script/win/process_functions.h"

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

using testing::copy_peer;
using testing::lua_literal;
using testing::Peer;
using testing::ScriptRunner;

class ProcessFunctions : public ::testing::Test {
 protected:
  vcam::testing::ScratchFolder scratch_{"script_process_"};
  ScriptRunner script_;
};

TEST_F(ProcessFunctions, EveryCopyOfAProgramIsEndedWithMinusEightAndThenNoLongerRuns) {
  const auto program = copy_peer(scratch_ / "bin" / "to_end.exe");
  Peer first(program, L"wait"), second(program, L"wait");
  ASSERT_TRUE(first && second);
  const std::string path = lua_literal(program);
  // Any spelling of the path names the same program.
  std::string upper = program.string();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(script_.results("isProcessRunning(" + lua_literal(upper) + ")"), "true");

  EXPECT_EQ(script_.results("killProcess(" + path + ")"), "(none)");
  ASSERT_TRUE(first.ended(0)) << "killProcess waits for each process it ends";
  ASSERT_TRUE(second.ended(0));
  EXPECT_EQ(first.exit_code(), 0xFFFFFFF8u);
  EXPECT_EQ(second.exit_code(), 0xFFFFFFF8u);
  EXPECT_EQ(script_.results("isProcessRunning(" + path + ")"), "(none)") << "nothing, not false";
}

TEST_F(ProcessFunctions, AnotherProgramWithTheSameNameIsLeftRunning) {
  const auto target = copy_peer(scratch_ / "a" / "same.exe");
  const auto other = copy_peer(scratch_ / "b" / "same.exe");
  Peer bystander(other, L"wait");
  ASSERT_TRUE(bystander);
  ASSERT_FALSE(script_.run("killProcess(" + lua_literal(target) + ")"));
  EXPECT_FALSE(bystander.ended(0));
  EXPECT_EQ(script_.results("isProcessRunning(" + lua_literal(other) + ")"), "true");
}

TEST_F(ProcessFunctions, TheRunningProgramNeverEndsItself) {
  const std::string self = lua_literal(current_process_path());
  EXPECT_EQ(script_.results("getProcessPath() == " + self), "true");
  EXPECT_EQ(script_.results("isProcessRunning(" + self + ")"), "true");
  EXPECT_EQ(script_.results("killProcess(" + self + ")"), "(none)");
  EXPECT_EQ(script_.results("'still here'"), "\"still here\"");
}

TEST_F(ProcessFunctions, AStartedProcessThatEndsInTimeGivesTrueAndItsExitCode) {
  const std::string program = lua_literal(copy_peer(scratch_ / "quick.exe"));
  EXPECT_EQ(script_.results("shellExecuteEx(" + program + ", 'exit 7 0', 'open', 0, 64 + 1024)"), "true,7");
  EXPECT_EQ(script_.results("shellExecuteEx(" + program + ", 'exit -8 0', nil, 0, 64)"), "true,-8");
}

TEST_F(ProcessFunctions, WithoutTheWaitBitAStartGivesASingleTrue) {
  const auto program = copy_peer(scratch_ / "nowait.exe");
  EXPECT_EQ(script_.results("shellExecuteEx(" + lua_literal(program) + ", 'exit 0 0', 'open', 0, 0)"), "true");
}

TEST_F(ProcessFunctions, AFileThatCannotBeStartedGivesFalse) {
  EXPECT_EQ(script_.results("shellExecuteEx(" + lua_literal(scratch_ / "missing.exe") + ", '', 'open', 0, 64 + 1024)"),
            "false");
  // Without SEE_MASK_FLAG_NO_UI the shell would report in a box; an empty
  // file is refused before it.
  EXPECT_EQ(script_.results("shellExecuteEx()"), "false");
}

TEST_F(ProcessFunctions, AProcessThatOutlivesTheWaitGivesASingleFalseAndKeepsRunning) {
  const auto program = copy_peer(scratch_ / "slow.exe");
  const std::string path = lua_literal(program);
  EXPECT_EQ(script_.results("shellExecuteEx(" + path + ", 'wait', 'open', 0, 64 + 1024)"), "false")
      << "only false comes back";
  EXPECT_EQ(script_.results("isProcessRunning(" + path + ")"), "true") << "it was started";
  ASSERT_FALSE(script_.run("killProcess(" + path + ")"));
}

}  // namespace
}  // namespace vcam::uninstaller
