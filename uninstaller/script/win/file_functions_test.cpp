// The file and folder functions on a scratch folder.
#include "uninstaller/script/win/file_functions.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/testing/scratch_folder.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;
using testing::lua_literal;
using testing::ScriptRunner;

void write_file(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}
std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FileFunctions : public ::testing::Test {
 protected:
  vcam::testing::ScratchFolder scratch_{"script_files_"};
  ScriptRunner script_;
};

TEST_F(FileFunctions, CreateDirectoryMakesEveryLevelWhicheverSlashesAreUsed) {
  const fs::path deep = scratch_ / "a" / "b" / "c";
  std::string text = deep.string();
  for (char& c : text)
    if (c == '\\') c = '/';
  EXPECT_EQ(script_.results("createDirectory(" + lua_literal(text + "//") + ")"), "true");
  EXPECT_TRUE(fs::is_directory(deep));
}

TEST_F(FileFunctions, CreateDirectoryIsTrueEvenWhenALevelCannotBeMade) {
  write_file(scratch_ / "file", "x");
  EXPECT_EQ(script_.results("createDirectory(" + lua_literal(scratch_ / "file" / "sub") + ")"), "true");
  EXPECT_FALSE(fs::exists(scratch_ / "file" / "sub"));
  EXPECT_EQ(script_.results("createDirectory('Q:\\\\no\\\\drive'), createDirectory(), createDirectory({})"),
            "true,true,true");
}

TEST_F(FileFunctions, FileExistsCountsFoldersAndNotMissingPaths) {
  write_file(scratch_ / "f.txt", "x");
  EXPECT_EQ(script_.results("fileExists(" + lua_literal(scratch_ / "f.txt") + ")"), "true");
  EXPECT_EQ(script_.results("fileExists(" + lua_literal(scratch_.path()) + ")"), "true");
  EXPECT_EQ(script_.results("fileExists(" + lua_literal(scratch_ / "none") + ")"), "false");
  EXPECT_EQ(script_.results("fileExists(''), fileExists()"), "false,false");
}

TEST_F(FileFunctions, DirectoryEmptyIsTrueForMissingPathsAndEmptyFolders) {
  fs::create_directories(scratch_ / "empty");
  write_file(scratch_ / "full" / "f", "x");
  EXPECT_EQ(script_.results("directoryEmpty(" + lua_literal(scratch_ / "missing" / "deeper") + ")"), "true");
  EXPECT_EQ(script_.results("directoryEmpty(" + lua_literal(scratch_ / "empty") + ")"), "true");
  EXPECT_EQ(script_.results("directoryEmpty(" + lua_literal(scratch_ / "full") + ")"), "false");
}

TEST_F(FileFunctions, RemoveFileReportsWhetherTheFileWentAndRefusesReadOnlyFiles) {
  write_file(scratch_ / "gone.txt", "x");
  write_file(scratch_ / "kept.txt", "x");
  fs::permissions(scratch_ / "kept.txt", fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(script_.results("removeFile(" + lua_literal(scratch_ / "gone.txt") + ")"), "true");
  EXPECT_FALSE(fs::exists(scratch_ / "gone.txt"));
  EXPECT_EQ(script_.results("removeFile(" + lua_literal(scratch_ / "gone.txt") + ")"), "false");
  EXPECT_EQ(script_.results("removeFile(" + lua_literal(scratch_ / "kept.txt") + ")"), "false");
  EXPECT_TRUE(fs::exists(scratch_ / "kept.txt"));
  fs::permissions(scratch_ / "kept.txt", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(FileFunctions, MoveFileReplacesAnExistingFile) {
  write_file(scratch_ / "from.txt", "new");
  write_file(scratch_ / "to.txt", "old");
  EXPECT_EQ(script_.results("moveFile(" + lua_literal(scratch_ / "from.txt") + ", " + lua_literal(scratch_ / "to.txt") +
                            ")"),
            "true");
  EXPECT_EQ(read_file(scratch_ / "to.txt"), "new");
  EXPECT_FALSE(fs::exists(scratch_ / "from.txt"));
  EXPECT_EQ(script_.results("moveFile(" + lua_literal(scratch_ / "from.txt") + ", " + lua_literal(scratch_ / "x") + ")"),
            "false");
}

TEST_F(FileFunctions, SetCurrentDirectoryMakesRelativePathsResolveThere) {
  const fs::path before = fs::current_path();
  write_file(scratch_ / "here" / "mark.txt", "x");
  EXPECT_EQ(script_.results("setCurrentDirectory(" + lua_literal(scratch_ / "here") + ")"), "(none)");
  EXPECT_EQ(script_.results("fileExists('mark.txt')"), "true");
  EXPECT_EQ(script_.results("setCurrentDirectory(" + lua_literal(scratch_ / "nowhere") + ")"), "(none)");
  EXPECT_EQ(script_.results("fileExists('mark.txt')"), "true") << "a failed change keeps the folder";
  fs::current_path(before);
}

TEST_F(FileFunctions, OnlyAFixedDriveIsAVolume) {
  EXPECT_EQ(script_.results("volumeExists('C:\\\\')"), "true");
  EXPECT_EQ(script_.results("volumeExists('Q:\\\\'), volumeExists(''), volumeExists()"), "false,false,false");
}

}  // namespace
}  // namespace vcam::uninstaller
