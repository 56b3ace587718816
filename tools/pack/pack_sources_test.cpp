#include "tools/pack/pack_sources.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vcam::tools {
namespace {

namespace fs = std::filesystem;

class PackSourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vcam_sources_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "in" / "sub");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void put(const fs::path& p, const std::string& text) { std::ofstream(dir_ / p, std::ios::binary) << text; }

  fs::path dir_;
};

TEST_F(PackSourcesTest, AFolderGivesEveryFileByRelativeNameInNameOrder) {
  put("in/font.xml", "f");
  put("in/Btn.png", "b");
  put("in/sub/a.xml", "a");
  put(fs::path(u"in/进度.xml"), "p");
  std::vector<source_file> files;
  std::string error;
  ASSERT_TRUE(sources_from_folder(dir_ / "in", files, error)) << error;
  std::vector<std::u16string> names;
  for (const auto& f : files) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Btn.png", u"font.xml", u"sub\\a.xml", u"进度.xml"}));
  EXPECT_EQ(files[2].path, dir_ / "in" / "sub" / "a.xml");
}

TEST_F(PackSourcesTest, AMissingFolderIsAnError) {
  std::vector<source_file> files;
  std::string error;
  EXPECT_FALSE(sources_from_folder(dir_ / "nope", files, error));
  EXPECT_NE(error.find("nope"), std::string::npos);
}

TEST_F(PackSourcesTest, AListKeepsOrderDuplicatesNamesAndStoreMarks) {
  put("list.txt",
      "\xEF\xBB\xBF# skin files\r\n"
      "in/font.xml\r\n"
      "\r\n"
      "skin_b4ae00\tin/rules.txt\n"
      "UI.lua\t/abs/UI.lua\tstore\n"
      "font.xml\tin/other.xml\n");
  std::vector<source_file> files;
  std::string error;
  ASSERT_TRUE(sources_from_list(dir_ / "list.txt", files, error)) << error;
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].name, u"font.xml");
  EXPECT_EQ(files[0].path, dir_ / "in/font.xml");
  EXPECT_EQ(files[1].name, u"skin_b4ae00");
  EXPECT_EQ(files[2].name, u"UI.lua");
  EXPECT_EQ(files[2].path, fs::path("/abs/UI.lua"));
  EXPECT_TRUE(files[2].store);
  EXPECT_FALSE(files[1].store);
  EXPECT_EQ(files[3].name, u"font.xml");
}

TEST_F(PackSourcesTest, AMalformedListLineIsAnErrorNamingTheLine) {
  put("list.txt", "a\n\nname\tpath\tcompress\n");
  std::vector<source_file> files;
  std::string error;
  EXPECT_FALSE(sources_from_list(dir_ / "list.txt", files, error));
  EXPECT_NE(error.find(":3:"), std::string::npos) << error;
}

TEST_F(PackSourcesTest, AnArgumentStartingWithAtNamesAListAnyOtherAFolder) {
  put("in/font.xml", "f");
  put("in/sub/a.xml", "a");
  put("list.txt", "in/sub/a.xml\n");
  std::vector<source_file> listed, folder;
  std::string error;
  ASSERT_TRUE(sources_from_argument("@" + (dir_ / "list.txt").string(), listed, error)) << error;
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, u"a.xml");
  ASSERT_TRUE(sources_from_argument((dir_ / "in").string(), folder, error)) << error;
  EXPECT_EQ(folder.size(), 2u);
  // A lone "@" is a folder of that name, not an empty list name.
  std::vector<source_file> none;
  EXPECT_FALSE(sources_from_argument("@", none, error));
  EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
}

TEST_F(PackSourcesTest, WritingReplacesTheFileWhole) {
  put("out.bin", "old content that is longer");
  std::string error;
  ASSERT_TRUE(write_file_atomically(dir_ / "out.bin", {'n', 'e', 'w'}, error)) << error;
  std::vector<unsigned char> back;
  ASSERT_TRUE(read_whole_file(dir_ / "out.bin", back));
  EXPECT_EQ(back, (std::vector<unsigned char>{'n', 'e', 'w'}));
  EXPECT_FALSE(fs::exists(dir_ / "out.bin.part"));
  EXPECT_FALSE(write_file_atomically(dir_ / "missing" / "x", {1}, error));
}

}  // namespace
}  // namespace vcam::tools
