// The installer guard between real processes: a second setup program
// (guard_holder.exe) holds or tries the named mutex.
#include "uninstaller/guard/win/installer_guard.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <string>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {
namespace {

struct child {
  UniqueHandle process;
  UniqueHandle thread;
};

child start_holder(const std::wstring& arguments) {
  std::wstring command = L"\"" + std::wstring(wide(application_folder())) + L"guard_holder.exe\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  return {UniqueHandle(pi.hProcess), UniqueHandle(pi.hThread)};
}

DWORD exit_code_of(child& c) {
  if (::WaitForSingleObject(c.process.get(), 20000) != WAIT_OBJECT_0) return 999;
  DWORD code = 999;
  ::GetExitCodeProcess(c.process.get(), &code);
  return code;
}

DWORD try_in_another_process() {
  child c = start_holder(L"try");
  return c.process ? exit_code_of(c) : 998;
}

class InstallerGuardTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(try_in_another_process(), 0u) << "the guard must be free before each test"; }
};

TEST_F(InstallerGuardTest, ASecondProcessHoldingTheGuardRefusesTheUninstallerAndStopsTheLauncher) {
  const std::wstring suffix = std::to_wstring(::GetCurrentProcessId());
  const std::wstring ready_name = L"vcam_guard_ready_" + suffix, release_name = L"vcam_guard_release_" + suffix;
  UniqueHandle ready(::CreateEventW(nullptr, TRUE, FALSE, ready_name.c_str()));
  UniqueHandle release(::CreateEventW(nullptr, TRUE, FALSE, release_name.c_str()));
  ASSERT_TRUE(ready && release);
  child holder = start_holder(L"hold " + ready_name + L" " + release_name);
  ASSERT_TRUE(holder.process);
  ASSERT_EQ(::WaitForSingleObject(ready.get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));

  {
    const InstallerGuard guard;
    EXPECT_EQ(guard.state(), InstallerGuard::State::other_running);
  }
  EXPECT_TRUE(probe_installer_guard());
  EXPECT_TRUE(probe_installer_guard()) << "probing twice changes nothing";

  ::SetEvent(release.get());
  EXPECT_EQ(exit_code_of(holder), 0u) << "the holder had the guard all along";
  EXPECT_FALSE(probe_installer_guard()) << "released with the holder";
}

TEST_F(InstallerGuardTest, TheProbeLeavesTheGuardFree) {
  EXPECT_FALSE(probe_installer_guard());
  EXPECT_EQ(try_in_another_process(), 0u) << "a setup program started after a launcher gets the guard";
}

TEST_F(InstallerGuardTest, TheUninstallerHoldsTheGuardForItsLife) {
  {
    const InstallerGuard guard;
    ASSERT_EQ(guard.state(), InstallerGuard::State::held);
    EXPECT_EQ(try_in_another_process(), 3u) << "a second setup program is refused";
    EXPECT_TRUE(probe_installer_guard());
  }
  EXPECT_EQ(try_in_another_process(), 0u);
}

TEST_F(InstallerGuardTest, AGuardThisProgramMayNotOpenCountsAsHeld) {
  // As an elevated setup program leaves it for a non-elevated launcher: the
  // mutex exists, but its descriptor denies every access to everyone.
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;GA;;;WD)", SDDL_REVISION_1, &descriptor,
                                                                     nullptr));
  UniqueLocal descriptor_owner(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  UniqueHandle guard(::CreateMutexW(&attributes, TRUE, installer_guard_name));
  ASSERT_TRUE(guard);
  UniqueHandle again(::CreateMutexW(nullptr, TRUE, installer_guard_name));
  const DWORD error = ::GetLastError();
  if (again || error != ERROR_ACCESS_DENIED) GTEST_SKIP() << "this system lets the creator open a denying mutex";
  EXPECT_TRUE(probe_installer_guard());
}

}  // namespace
}  // namespace vcam::uninstaller
