// Skin and layout files read from a folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dui/load/folder_file_source.h"

namespace vcam::dui {
namespace {

namespace fs = std::filesystem;

class FolderSource : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("dui_folder_source_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "skin" / "sub");
    Write(root_ / "skin" / "button.xml", "<S/>");
    Write(root_ / "skin" / "sub" / "icon.png", std::string("\x89PNG\0\x01", 6));
    Write(root_ / "outside.txt", "secret");
  }
  void TearDown() override { fs::remove_all(root_); }
  static void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

  fs::path root_;
};

TEST_F(FolderSource, ReadsFilesByRelativeNameWithEitherSeparator) {
  FolderFileSource source(root_ / "skin");
  EXPECT_EQ(source.Read(u"button.xml"), "<S/>");
  EXPECT_EQ(source.Read(u"sub\\icon.png"), std::string("\x89PNG\0\x01", 6));
  EXPECT_EQ(source.Read(u"sub/icon.png"), std::string("\x89PNG\0\x01", 6));
}

TEST_F(FolderSource, MissingFilesFoldersAndEscapesGiveNothing) {
  FolderFileSource source(root_ / "skin");
  EXPECT_FALSE(source.Read(u"missing.png"));
  EXPECT_FALSE(source.Read(u"sub"));
  EXPECT_FALSE(source.Read(u""));
  EXPECT_FALSE(source.Read(u"../outside.txt"));
  EXPECT_FALSE(source.Read(u"sub\\..\\..\\outside.txt"));
  EXPECT_FALSE(source.Read((root_ / "outside.txt").u16string()));
}

}  // namespace
}  // namespace vcam::dui
