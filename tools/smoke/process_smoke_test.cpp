// Two processes of the project share a named mutex and a paging-file section.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/smoke/shared_names.h"

namespace vcam {
namespace {

TEST(ProcessSmoke, PeerWaitsForTheMutexThenWritesTheSection) {
  const std::wstring suffix = std::to_wstring(::GetCurrentProcessId());
  UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, (VCAM_SMOKE_MUTEX + suffix).c_str()));
  ASSERT_TRUE(mutex);
  UniqueHandle section(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            kSmokeSectionSize, (VCAM_SMOKE_SECTION + suffix).c_str()));
  ASSERT_TRUE(section);
  UniqueView view(::MapViewOfFile(section.get(), FILE_MAP_ALL_ACCESS, 0, 0, kSmokeSectionSize));
  ASSERT_TRUE(view);
  auto* words = static_cast<volatile unsigned*>(view.get());
  ASSERT_EQ(words[0], 0u) << "a new paging-file section is zero-filled";

  std::wstring cmd = L"\"" + std::wstring(wide(application_folder())) + L"smoke_peer.exe\" " + suffix;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << "error " << ::GetLastError();
  UniqueHandle process(pi.hProcess);
  UniqueHandle thread(pi.hThread);

  // While this process holds the mutex the peer cannot write.
  EXPECT_EQ(::WaitForSingleObject(process.get(), 500), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(words[0], 0u);
  ASSERT_TRUE(::ReleaseMutex(mutex.get()));

  ASSERT_EQ(::WaitForSingleObject(process.get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 99;
  ASSERT_TRUE(::GetExitCodeProcess(process.get(), &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(words[0], kSmokePeerMagic);
  EXPECT_EQ(words[1], pi.dwProcessId);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(const_cast<unsigned*>(words + 2))), suffix);
}

TEST(ProcessSmoke, PeerFailsCleanlyWhenTheObjectsAreMissing) {
  std::wstring cmd = L"\"" + std::wstring(wide(application_folder())) + L"smoke_peer.exe\" missing_" +
                     std::to_wstring(::GetCurrentProcessId());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  UniqueHandle process(pi.hProcess);
  UniqueHandle thread(pi.hThread);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 99;
  ::GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 2u);
}

}  // namespace
}  // namespace vcam
