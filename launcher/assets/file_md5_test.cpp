#include "launcher/assets/file_md5.h"

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/assets/md5_digest.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using testing::ScratchFolder;
using testing::write_bytes;

std::u16string digest_of(const bytes& b) {
  return md5_hex(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

TEST(FileMd5, IsTheDigestOfTheFilesBytesInLowerCaseHex) {
  ScratchFolder dir("file_md5_");
  write_bytes(dir / "abc", testing::text_bytes("abc"));
  EXPECT_EQ(file_md5((dir / "abc").u16string()), u"900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(file_md5_stdio((dir / "abc").u16string()), u"900150983cd24fb0d6963f7d28e17f72");
}

TEST(FileMd5, FilesAcrossViewBoundariesAreReadWhole) {
  ScratchFolder dir("file_md5_");
  for (std::size_t size : {1u, 16'383u, 16'384u, 16'385u, 65'535u, 65'536u, 65'537u, 200'001u, 1'048'576u}) {
    const bytes content = testing::random_bytes(size, static_cast<unsigned>(size));
    write_bytes(dir / "f", content);
    EXPECT_EQ(file_md5((dir / "f").u16string()), digest_of(content)) << size;
    EXPECT_EQ(file_md5_stdio((dir / "f").u16string()), digest_of(content)) << size;
  }
}

TEST(FileMd5, FilesThatCannotBeReadGiveTheEmptyText) {
  ScratchFolder dir("file_md5_");
  write_bytes(dir / "empty", {});
  for (const auto& path : {dir / "empty", dir / "missing", dir.path(), dir / "no" / "such" / "folder"}) {
    EXPECT_EQ(file_md5(path.u16string()), u"") << path;
    EXPECT_EQ(file_md5_stdio(path.u16string()), u"") << path;
  }
}

TEST(FileMd5, ReadsAPathOutsideAscii) {
  ScratchFolder dir("file_md5_");
  const std::filesystem::path name(u"解码器.dll");
  write_bytes(dir / name, testing::text_bytes("abc"));
  EXPECT_EQ(file_md5((dir / name).u16string()), u"900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5ViewSize, DoublesTheGranularityUntilAtLeast16KiB) {
  EXPECT_EQ(md5_view_size(65'536), 65'536u);
  EXPECT_EQ(md5_view_size(16'384), 16'384u);
  EXPECT_EQ(md5_view_size(8'192), 16'384u);
  EXPECT_EQ(md5_view_size(4'096), 16'384u);
  EXPECT_EQ(md5_view_size(10'000), 20'000u);
  EXPECT_EQ(md5_view_size(16'383), 32'766u);
  EXPECT_EQ(md5_view_size(1), 16'384u);
  EXPECT_EQ(md5_view_size(0), 16'384u);
  EXPECT_EQ(md5_view_size(0x80000000u), 0x80000000u);
}

}  // namespace
}  // namespace vcam::launcher
