#include "common/win/folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "common/path_text.h"
#include "common/text_utf.h"
#include "common/win/wide.h"

namespace vcam {
namespace {

bool is_folder(const std::u16string& path) {
  const DWORD a = ::GetFileAttributesW(wide(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, tmp), 0u);
    root_ = std::u16string(u16(tmp)) + u"vcam_folders_" +
            utf8_to_utf16(std::to_string(::GetCurrentProcessId()));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(wide(root_)), ignored);
  }

  std::u16string root_;
};

TEST_F(FolderTest, CreatesEveryMissingAncestor) {
  const std::u16string deep = root_ + u"\\a\\日志\\c\\";
  ASSERT_FALSE(is_folder(root_));
  EXPECT_TRUE(create_folder_path(deep));
  EXPECT_TRUE(is_folder(root_ + u"\\a"));
  EXPECT_TRUE(is_folder(root_ + u"\\a\\日志"));
  EXPECT_TRUE(is_folder(root_ + u"\\a\\日志\\c"));
}

TEST_F(FolderTest, ExistingFolderAndForwardSlashesSucceed) {
  EXPECT_TRUE(create_folder_path(root_ + u"/x/y"));
  EXPECT_TRUE(create_folder_path(root_ + u"/x/y"));
  EXPECT_TRUE(is_folder(root_ + u"\\x\\y"));
}

TEST_F(FolderTest, AFileInTheWayFails) {
  ASSERT_TRUE(create_folder_path(root_));
  const std::u16string file = root_ + u"\\file";
  HANDLE h = ::CreateFileW(wide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ::CloseHandle(h);
  EXPECT_FALSE(create_folder_path(file + u"\\sub"));
  EXPECT_FALSE(create_folder_path(file));
}

TEST(ApplicationFolder, IsTheExecutablesFolderWithTrailingBackslash) {
  const std::u16string folder = application_folder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), u'\\');
  EXPECT_EQ(folder.find(u'/'), std::u16string::npos);
  wchar_t exe[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  ASSERT_GT(n, 0u);
  const std::u16string path = to_backslashes(u16(exe, n));
  EXPECT_EQ(path.rfind(folder, 0), 0u);
  EXPECT_EQ(path.find(u'\\', folder.size()), std::u16string::npos);
}

}  // namespace
}  // namespace vcam
