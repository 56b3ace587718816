// The mapped digest against files other handles hold open.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/assets/file_md5.h"
#include "launcher/assets/md5_digest.h"

namespace vcam::launcher {
namespace {

using testing::ScratchFolder;

UniqueFile open_with(const std::u16string& path, DWORD access, DWORD share) {
  return UniqueFile(
      ::CreateFileW(wide(path), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(FileMd5Mapped, AFileOpenForWritingElsewhereGivesTheEmptyTextUntilItIsClosed) {
  ScratchFolder dir("file_md5_win_");
  const auto content = testing::random_bytes(100'000, 3);
  testing::write_bytes(dir / "f", content);
  const std::u16string path = (dir / "f").u16string();
  const std::u16string expected =
      md5_hex(std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
  {
    UniqueFile writer = open_with(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer);
    // It could change size at any moment: no digest.
    EXPECT_EQ(file_md5(path), u"");
    LARGE_INTEGER end;
    end.QuadPart = 50'000;
    ASSERT_TRUE(::SetFilePointerEx(writer.get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(writer.get()));
    EXPECT_EQ(file_md5(path), u"");
  }
  const std::u16string truncated =
      md5_hex(std::string_view(reinterpret_cast<const char*>(content.data()), 50'000));
  EXPECT_EQ(file_md5(path), truncated);
  EXPECT_NE(truncated, expected);
}

TEST(FileMd5Mapped, ReadersDoNotStopTheDigestAndWritersCannotOpenDuringIt) {
  ScratchFolder dir("file_md5_win_");
  testing::write_bytes(dir / "f", testing::text_bytes("abc"));
  const std::u16string path = (dir / "f").u16string();
  UniqueFile reader = open_with(path, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(reader);
  EXPECT_EQ(file_md5(path), u"900150983cd24fb0d6963f7d28e17f72");
  // A loaded module keeps its file open for reading and mapped as an image.
  UniqueHandle mapping(::CreateFileMappingW(reader.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_TRUE(mapping);
  EXPECT_EQ(file_md5(path), u"900150983cd24fb0d6963f7d28e17f72");
}

TEST(FileMd5Mapped, TheViewSizeFollowsThisSystemsGranularity) {
  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  const std::uint32_t view = md5_view_size(system.dwAllocationGranularity);
  EXPECT_GE(view, 16'384u);
  EXPECT_EQ(view % system.dwAllocationGranularity, 0u);
  // A file of one view and one byte more is read across two views.
  ScratchFolder dir("file_md5_win_");
  const auto content = testing::random_bytes(view + 1, 9);
  testing::write_bytes(dir / "f", content);
  EXPECT_EQ(file_md5((dir / "f").u16string()),
            md5_hex(std::string_view(reinterpret_cast<const char*>(content.data()), content.size())));
}

}  // namespace
}  // namespace vcam::launcher
