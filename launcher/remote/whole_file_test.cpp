#include "launcher/remote/whole_file.h"

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using testing::ScratchFolder;
using testing::write_bytes;

std::u16string u16_path(const std::filesystem::path& p) { return p.u16string(); }

TEST(ReadWholeFile, ReadsEveryByteOfABinaryFile) {
  ScratchFolder dir("whole_file_");
  const bytes content = testing::random_bytes(40'000, 7);  // several read blocks, zero bytes included
  write_bytes(dir / "f", content);
  std::string got;
  ASSERT_EQ(read_whole_file(u16_path(dir / "f"), kRemoteFileLimit, got), whole_file_result::read);
  EXPECT_EQ(bytes(got.begin(), got.end()), content);
}

TEST(ReadWholeFile, AnEmptyFileIsReadAsEmpty) {
  ScratchFolder dir("whole_file_");
  write_bytes(dir / "f", {});
  std::string got = "old";
  ASSERT_EQ(read_whole_file(u16_path(dir / "f"), kRemoteFileLimit, got), whole_file_result::read);
  EXPECT_EQ(got, "");
}

TEST(ReadWholeFile, AMissingFileIsUnreadableAndLeavesTheOutputAlone) {
  ScratchFolder dir("whole_file_");
  std::string got = "old";
  EXPECT_EQ(read_whole_file(u16_path(dir / "missing"), kRemoteFileLimit, got), whole_file_result::unreadable);
  EXPECT_EQ(read_whole_file(u16_path(dir.path()), kRemoteFileLimit, got), whole_file_result::unreadable);
  EXPECT_EQ(got, "old");
}

TEST(ReadWholeFile, AFileOfExactlyTheLimitIsReadAndOneByteMoreIsRefused) {
  ScratchFolder dir("whole_file_");
  write_bytes(dir / "at", bytes(kRemoteFileLimit, ' '));
  write_bytes(dir / "over", bytes(kRemoteFileLimit + 1, ' '));
  std::string got;
  ASSERT_EQ(read_whole_file(u16_path(dir / "at"), kRemoteFileLimit, got), whole_file_result::read);
  EXPECT_EQ(got.size(), kRemoteFileLimit);
  got = "old";
  EXPECT_EQ(read_whole_file(u16_path(dir / "over"), kRemoteFileLimit, got), whole_file_result::too_large);
  EXPECT_EQ(got, "old");
}

TEST(ReadWholeFile, SmallLimitsAreExact) {
  ScratchFolder dir("whole_file_");
  write_bytes(dir / "f", testing::text_bytes("abcde"));
  std::string got;
  EXPECT_EQ(read_whole_file(u16_path(dir / "f"), 4, got), whole_file_result::too_large);
  EXPECT_EQ(read_whole_file(u16_path(dir / "f"), 5, got), whole_file_result::read);
  EXPECT_EQ(got, "abcde");
  EXPECT_EQ(read_whole_file(u16_path(dir / "f"), 0, got), whole_file_result::too_large);
}

TEST(ReadWholeFile, OpensAPathOutsideAscii) {
  ScratchFolder dir("whole_file_");
  const std::filesystem::path name(u"配置-config");
  write_bytes(dir / name, testing::text_bytes("{}"));
  std::string got;
  ASSERT_EQ(read_whole_file(u16_path(dir / name), kRemoteFileLimit, got), whole_file_result::read);
  EXPECT_EQ(got, "{}");
}

}  // namespace
}  // namespace vcam::launcher
