// removeDirectory on real trees: read-only entries, links to folders outside,
// missing paths, and the starting folders it refuses.
#include "uninstaller/script/win/directory_removal.h"

#include <windows.h>
#include <shlobj.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;
using testing::lua_literal;
using testing::ScriptRunner;

void write_file(const fs::path& path) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << "x";
}

void make_read_only(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY));
}

// A junction (mount point) at `link` to the folder `target`, made the way
// "mklink /J" makes one.
bool make_junction(const fs::path& link, const fs::path& target) {
  if (!::CreateDirectoryW(link.c_str(), nullptr)) return false;
  UniqueFile handle(::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle) return false;
  const std::wstring substitute = L"\\??\\" + target.wstring(), print = target.wstring();
  const std::size_t path_bytes = (substitute.size() + 1 + print.size() + 1) * sizeof(wchar_t);
  // REPARSE_DATA_BUFFER's mount-point form: tag, length, reserved, then four
  // offsets and lengths and the two names.
  std::vector<unsigned char> buffer(8 + 8 + path_bytes);
  auto put16 = [&](std::size_t at, std::size_t v) {
    const WORD w = static_cast<WORD>(v);
    std::memcpy(buffer.data() + at, &w, 2);
  };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(buffer.data(), &tag, 4);
  put16(4, 8 + path_bytes);
  put16(8, 0);
  put16(10, substitute.size() * sizeof(wchar_t));
  put16(12, (substitute.size() + 1) * sizeof(wchar_t));
  put16(14, print.size() * sizeof(wchar_t));
  std::memcpy(buffer.data() + 16, substitute.c_str(), (substitute.size() + 1) * sizeof(wchar_t));
  std::memcpy(buffer.data() + 16 + (substitute.size() + 1) * sizeof(wchar_t), print.c_str(),
              (print.size() + 1) * sizeof(wchar_t));
  DWORD returned = 0;
  return ::DeviceIoControl(handle.get(), FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                           nullptr, 0, &returned, nullptr) != FALSE;
}

bool is_reparse_point(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::u16string shell_folder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  EXPECT_TRUE(::SHGetSpecialFolderPathW(nullptr, buffer, csidl, TRUE)) << csidl;
  return std::u16string(u16(buffer));
}

class DirectoryRemoval : public ::testing::Test {
 protected:
  vcam::testing::ScratchFolder scratch_{"script_rmdir_"};
  ScriptRunner script_;
};

TEST_F(DirectoryRemoval, ATreeWithReadOnlyFilesAndFoldersGoesWhole) {
  const fs::path tree = scratch_ / "tree";
  write_file(tree / "a.txt");
  write_file(tree / "sub" / "deeper" / "b.txt");
  write_file(tree / "sub" / "ro.txt");
  make_read_only(tree / "sub" / "ro.txt");
  make_read_only(tree / "a.txt");
  fs::create_directories(tree / "ro_folder");
  write_file(tree / "ro_folder" / "c.txt");
  make_read_only(tree / "ro_folder");
  EXPECT_EQ(script_.results("removeDirectory(" + lua_literal(tree) + ")"), "(none)");
  EXPECT_FALSE(fs::exists(tree));
  EXPECT_TRUE(fs::exists(scratch_.path()));
}

TEST_F(DirectoryRemoval, AJunctionInsideIsRemovedAsALinkAndItsTargetStaysIntact) {
  const fs::path outside = scratch_ / "outside";
  write_file(outside / "precious.txt");
  write_file(outside / "inner" / "also.txt");
  const fs::path tree = scratch_ / "tree";
  write_file(tree / "own.txt");
  if (!make_junction(tree / "link", outside)) GTEST_SKIP() << "the system makes no junctions (error " << ::GetLastError() << ")";
  ASSERT_TRUE(is_reparse_point(tree / "link"));
  ASSERT_TRUE(fs::exists(tree / "link" / "precious.txt")) << "the junction leads outside";

  ASSERT_FALSE(script_.run("removeDirectory(" + lua_literal(tree) + ")"));
  EXPECT_FALSE(fs::exists(tree));
  EXPECT_TRUE(fs::exists(outside / "precious.txt"));
  EXPECT_TRUE(fs::exists(outside / "inner" / "also.txt"));
}

TEST_F(DirectoryRemoval, AStartingFolderThatIsAJunctionIsRemovedWithoutEnteringIt) {
  const fs::path outside = scratch_ / "outside";
  write_file(outside / "precious.txt");
  if (!make_junction(scratch_ / "link", outside)) GTEST_SKIP() << "the system makes no junctions (error " << ::GetLastError() << ")";
  remove_directory((scratch_ / "link\\").u16string());
  EXPECT_FALSE(fs::exists(scratch_ / "link"));
  EXPECT_TRUE(fs::exists(outside / "precious.txt"));
}

TEST_F(DirectoryRemoval, AMissingPathIsNoError) {
  EXPECT_EQ(script_.results("removeDirectory(" + lua_literal(scratch_ / "missing" / "x") + ")"), "(none)");
  EXPECT_TRUE(fs::exists(scratch_.path()));
}

TEST_F(DirectoryRemoval, AnEmptyOrNonTextArgumentRemovesNothing) {
  const fs::path before = fs::current_path();
  write_file(scratch_ / "cwd" / "keep.txt");
  fs::current_path(scratch_ / "cwd");
  EXPECT_FALSE(script_.run("removeDirectory(); removeDirectory(nil); removeDirectory({}); removeDirectory(true); "
                           "removeDirectory(''); removeDirectory('\\255')"));
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(scratch_ / "cwd" / "keep.txt"));
}

TEST_F(DirectoryRemoval, DriveAndShareRootsAreRefused) {
  for (const char16_t* root : {u"C:\\", u"C:", u"c:/", u"\\\\?\\C:\\", u"\\\\server\\share\\", u"\\", u"", u"C:\\."})
    EXPECT_TRUE(removal_refused(root)) << utf16_to_utf8(root);
}

TEST_F(DirectoryRemoval, ShellFoldersAndTheFoldersHoldingThemAreRefusedInAnySpelling) {
  for (const int csidl : {CSIDL_WINDOWS, CSIDL_PROGRAM_FILES, CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL,
                          CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA}) {
    const std::u16string folder = shell_folder(csidl);
    EXPECT_TRUE(removal_refused(folder)) << utf16_to_utf8(folder);
    std::u16string odd = folder + u"\\";
    for (char16_t& c : odd) c = c == u'\\' ? u'/' : static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - 32 : c);
    EXPECT_TRUE(removal_refused(odd)) << utf16_to_utf8(odd);
    EXPECT_TRUE(removal_refused(folder + u"\\sub\\..")) << utf16_to_utf8(folder);
  }
  const std::u16string profile = shell_folder(CSIDL_PROFILE);
  EXPECT_TRUE(removal_refused(profile.substr(0, profile.rfind(u'\\')))) << "the folder of all profiles";
}

TEST_F(DirectoryRemoval, TheTemporaryFolderAndTheFoldersHoldingItAreRefused) {
  wchar_t buffer[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, buffer), 0u);
  std::u16string temp(u16(buffer));
  while (temp.back() == u'\\') temp.pop_back();
  EXPECT_TRUE(removal_refused(temp)) << utf16_to_utf8(temp);
  std::u16string odd = temp + u"\\";
  for (char16_t& c : odd) c = c == u'\\' ? u'/' : static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - 32 : c);
  EXPECT_TRUE(removal_refused(odd)) << utf16_to_utf8(odd);
  EXPECT_TRUE(removal_refused(temp.substr(0, temp.rfind(u'\\')))) << "the folder above it";
  // A sibling whose name starts alike holds nothing.
  EXPECT_FALSE(removal_refused(temp.substr(0, temp.size() - 1) + u"_other"));
  EXPECT_FALSE(removal_refused(temp + u"\\app"));
}

TEST_F(DirectoryRemoval, FoldersInsideShellFoldersAreNotRefused) {
  EXPECT_FALSE(removal_refused(scratch_.path().u16string()));
  EXPECT_FALSE(removal_refused(shell_folder(CSIDL_APPDATA) + u"\\ZeloVCamera"));
  EXPECT_FALSE(removal_refused(shell_folder(CSIDL_PROGRAM_FILES) + u"\\Zelo\\"));
}

TEST_F(DirectoryRemoval, ARefusedFolderIsLeftAsItWas) {
  const std::u16string appdata = shell_folder(CSIDL_APPDATA);
  const fs::path marker = fs::path(appdata) / ("script_rmdir_marker_" + std::to_string(::GetCurrentProcessId()));
  write_file(marker);
  ASSERT_FALSE(script_.run("removeDirectory(getAppDataFolder())"));
  EXPECT_TRUE(fs::exists(marker));
  fs::remove(marker);
}

}  // namespace
}  // namespace vcam::uninstaller
