// The Windows file behind the reader: the pack stays open, shared for reading
// only, for the reader's whole life.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/pack/zelopack_reader.h"
#include "tools/pack/zelopack_writer.h"

namespace vcam::launcher {
namespace {

class WinPackFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, tmp), 0u);
    path_ = std::u16string(u16(tmp)) + u"vcam_样式_" + utf8_to_utf16(std::to_string(::GetCurrentProcessId())) +
            u".zeloz";
    tools::zelopack_writer writer;
    ASSERT_TRUE(writer.add(u"font.xml", {'<', 'F', '/', '>'}, 1, nullptr));
    std::vector<unsigned char> pack;
    ASSERT_TRUE(writer.finish(pack, nullptr));
    UniqueFile f(::CreateFileW(wide(path_), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(f);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(f.get(), pack.data(), static_cast<DWORD>(pack.size()), &written, nullptr));
  }
  void TearDown() override { ::DeleteFileW(wide(path_)); }

  std::u16string path_;
};

TEST_F(WinPackFileTest, ThePackCannotBeWrittenOrReplacedWhileOpen) {
  log_capture capture;
  auto reader = _zelopack_reader::open(path_);
  ASSERT_TRUE(reader);
  UniqueFile writer(::CreateFileW(wide(path_), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(writer);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(::DeleteFileW(wide(path_)));

  // Other readers are welcome.
  UniqueFile other(::CreateFileW(wide(path_), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(other);
  other.reset();

  std::uint32_t size = 0;
  pack_buffer bytes = reader->read(u"font.xml", &size);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.get())), "<F/>");

  reader.reset();
  writer.reset(::CreateFileW(wide(path_), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(writer) << "closed with the reader";
}

TEST_F(WinPackFileTest, AFolderIsNotAPack) {
  wchar_t tmp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tmp);
  log_capture capture;
  EXPECT_EQ(_zelopack_reader::open(std::u16string(u16(tmp))), nullptr);
  EXPECT_EQ(capture.texts(), std::vector<std::string>{"zelopack_reader - _zelopack_reader::initialize, 33"});
}

}  // namespace
}  // namespace vcam::launcher
