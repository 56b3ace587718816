// The pending-restart marker with the real registry value and temporary
// folder. Each test sets "ShutdownTime" itself (a new prefix may lack it) and
// puts back the value, the marker and the pending-deletion list it found.
#include "uninstaller/guard/win/restart_marker.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::uninstaller {
namespace {

using bytes = std::vector<unsigned char>;

// A registry value as it was, put back on destruction (deleted if it was absent).
class saved_value {
 public:
  saved_value(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    UniqueKey k;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_, 0, KEY_READ, k.put()) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (::RegQueryValueExW(k.get(), name_, nullptr, &type_, nullptr, &size) != ERROR_SUCCESS) return;
    data_.emplace(size);
    ::RegQueryValueExW(k.get(), name_, nullptr, &type_, data_->data(), &size);
  }
  ~saved_value() {
    UniqueKey k;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_, 0, nullptr, 0, KEY_SET_VALUE, nullptr, k.put(), nullptr) !=
        ERROR_SUCCESS) {
      return;
    }
    if (data_) ::RegSetValueExW(k.get(), name_, 0, type_, data_->data(), static_cast<DWORD>(data_->size()));
    else ::RegDeleteValueW(k.get(), name_);
  }
  saved_value(const saved_value&) = delete;
  saved_value& operator=(const saved_value&) = delete;

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  DWORD type_ = REG_BINARY;
  std::optional<bytes> data_;
};

constexpr const wchar_t* kStampKey = L"SYSTEM\\CurrentControlSet\\Control\\Windows";
constexpr const wchar_t* kSessionManager = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

void set_stamp(const bytes& stamp) {
  UniqueKey k;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, k.put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegSetValueExW(k.get(), L"ShutdownTime", 0, REG_BINARY, stamp.data(), static_cast<DWORD>(stamp.size())),
            ERROR_SUCCESS);
}

void remove_stamp() {
  UniqueKey k;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStampKey, 0, KEY_SET_VALUE, k.put()) == ERROR_SUCCESS) {
    ::RegDeleteValueW(k.get(), L"ShutdownTime");
  }
}

std::optional<bytes> read_marker() {
  UniqueFile f(::CreateFileW(wide(restart_marker_path()), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return std::nullopt;
  bytes content(64);
  DWORD got = 0;
  ::ReadFile(f.get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
  content.resize(got);
  return content;
}

void write_marker(const bytes& content) {
  UniqueFile f(::CreateFileW(wide(restart_marker_path()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(f);
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(f.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

bool marker_exists() { return ::GetFileAttributesW(wide(restart_marker_path())) != INVALID_FILE_ATTRIBUTES; }

const bytes kStamp = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0x01};
const bytes kLaterStamp = {0x11, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0x01};

class RestartMarkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_marker_ = read_marker();
    ::DeleteFileW(wide(restart_marker_path()));
  }
  void TearDown() override {
    ::DeleteFileW(wide(restart_marker_path()));
    if (previous_marker_) write_marker(*previous_marker_);
  }

  saved_value stamp_{kStampKey, L"ShutdownTime"};
  saved_value pending_{kSessionManager, L"PendingFileRenameOperations"};
  std::optional<bytes> previous_marker_;
};

TEST_F(RestartMarkerTest, ThePathDoublesTheSeparatorAfterTheTemporaryFolder) {
  wchar_t temp[MAX_PATH];
  const DWORD n = ::GetTempPathW(MAX_PATH, temp);
  ASSERT_GT(n, 0u);
  ASSERT_EQ(temp[n - 1], L'\\');
  EXPECT_EQ(restart_marker_path(), std::u16string(u16(temp, n)) + u"\\zelovirtualcamera_restart");
}

TEST_F(RestartMarkerTest, NoMarkerIsNoObstacle) {
  set_stamp(kStamp);
  EXPECT_FALSE(restart_pending_for_uninstaller());
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_FALSE(marker_exists());
}

TEST_F(RestartMarkerTest, MarkRestartBlocksBothProgramsUntilTheStampChanges) {
  set_stamp(kStamp);
  mark_restart();
  EXPECT_EQ(read_marker(), kStamp);
  EXPECT_TRUE(restart_pending_for_launcher());
  EXPECT_TRUE(restart_pending_for_uninstaller());
  EXPECT_TRUE(marker_exists()) << "a valid marker is kept";

  set_stamp(kLaterStamp);  // a shutdown happened
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_TRUE(marker_exists()) << "the launcher never deletes the marker";
  EXPECT_FALSE(restart_pending_for_uninstaller());
  EXPECT_FALSE(marker_exists()) << "the uninstaller deletes a stale marker";
}

TEST_F(RestartMarkerTest, MarkRestartRegistersTheMarkerForDeletionAtBoot) {
  set_stamp(kStamp);
  mark_restart();
  UniqueKey k;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, k.put()), ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(::RegQueryValueExW(k.get(), L"PendingFileRenameOperations", nullptr, nullptr, nullptr, &size),
            ERROR_SUCCESS);
  std::wstring pending(size / sizeof(wchar_t), L'\0');
  ASSERT_EQ(::RegQueryValueExW(k.get(), L"PendingFileRenameOperations", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(pending.data()), &size),
            ERROR_SUCCESS);
  EXPECT_NE(pending.find(L"zelovirtualcamera_restart"), std::wstring::npos);
}

TEST_F(RestartMarkerTest, ASevenByteMarkerIsDeletedByTheUninstallerAndIgnoredByTheLauncher) {
  set_stamp(kStamp);
  write_marker(bytes(kStamp.begin(), kStamp.begin() + 7));
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_TRUE(marker_exists());
  EXPECT_FALSE(restart_pending_for_uninstaller());
  EXPECT_FALSE(marker_exists());
}

TEST_F(RestartMarkerTest, ANineByteMarkerIsNoObstacleToTheLauncher) {
  set_stamp(kStamp);
  bytes nine = kStamp;
  nine.push_back(0);
  write_marker(nine);
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_TRUE(marker_exists());
  // The uninstaller reads 8 bytes and finds the stamp.
  EXPECT_TRUE(restart_pending_for_uninstaller());
  EXPECT_TRUE(marker_exists());
}

TEST_F(RestartMarkerTest, ADifferentStampIsNoObstacle) {
  set_stamp(kStamp);
  write_marker(kLaterStamp);
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_TRUE(marker_exists());
  EXPECT_FALSE(restart_pending_for_uninstaller());
  EXPECT_FALSE(marker_exists());
}

TEST_F(RestartMarkerTest, AnUnreadableStampNeverBlocksTheLauncherAndBlocksTheUninstallerOnlyOnZeros) {
  remove_stamp();
  mark_restart();
  EXPECT_EQ(read_marker(), bytes(8, 0)) << "written as zeros";
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_TRUE(restart_pending_for_uninstaller());
  EXPECT_TRUE(marker_exists());

  write_marker(kStamp);
  EXPECT_FALSE(restart_pending_for_launcher());
  EXPECT_FALSE(restart_pending_for_uninstaller());
  EXPECT_FALSE(marker_exists());
}

TEST_F(RestartMarkerTest, AMarkerThatCannotBeOpenedIsNoObstacle) {
  set_stamp(kStamp);
  write_marker(kStamp);
  {
    // Held open without sharing by someone else.
    UniqueFile lock(::CreateFileW(wide(restart_marker_path()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(restart_pending_for_launcher());
    EXPECT_FALSE(restart_pending_for_uninstaller());
  }
}

}  // namespace
}  // namespace vcam::uninstaller
