// vcam_capture as a client of the registered camera, under the prefix's
// device enumerator and filter graph. The camera is registered with the
// system registration tool for the tests and unregistered afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "camera/filter/win/testing/registration_tool.h"
#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::capture {
namespace {

using camera::testing::camera_module_path;
using camera::testing::run_regsvr32;
using vcam::testing::contains;
using vcam::testing::lines_of;
using Result = vcam::testing::ProgramResult;

Result run(std::wstring command) { return vcam::testing::run_program(std::move(command)); }

std::wstring here() { return std::wstring(wide(application_folder())); }

long long unix_ms_now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const auto since_1601 = static_cast<long long>((static_cast<unsigned long long>(now.dwHighDateTime) << 32) |
                                                 now.dwLowDateTime);
  return (since_1601 - 116'444'736'000'000'000LL) / 10'000;
}

std::wstring capture_tool() { return L"\"" + here() + L"vcam_capture.exe\" "; }

class CaptureTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registered_ = run_regsvr32(L"/s \"" + camera_module_path() + L"\"") == 0; }
  static void TearDownTestSuite() { run_regsvr32(L"/s /u \"" + camera_module_path() + L"\""); }
  void SetUp() override { ASSERT_TRUE(registered_); }
  static inline bool registered_ = false;
};

TEST_F(CaptureTool, ListsTheRegisteredCamera) {
  const Result r = run(capture_tool() + L"--list");
  EXPECT_EQ(r.code, 0u);
  EXPECT_TRUE(contains(lines_of(r.output), "video device ZeloCamV10")) << r.output;
}

TEST_F(CaptureTool, CapturesAtTheChosenSizeWithTimeStampsAndPictures) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"vcam_capture_test_" + std::to_wstring(::GetCurrentProcessId());
  const long long started = unix_ms_now();
  const Result r = run(capture_tool() + L"--device ZeloCamV10 --caps --size 1280x720 --frames 16 --png 0,15 --out \"" +
                       out + L"\"");
  const long long ended = unix_ms_now();
  ASSERT_EQ(r.code, 0u) << r.output;
  const auto lines = lines_of(r.output);
  long long first_sample = 0;
  for (const auto& line : lines) std::sscanf(line.c_str(), "first sample at unix_ms=%lld", &first_sample);
  EXPECT_GE(first_sample, started) << r.output;
  EXPECT_LE(first_sample, ended);
  EXPECT_TRUE(contains(lines, "device ZeloCamV10"));
  EXPECT_TRUE(contains(lines, "caps 0 640x480 RGB24 min_interval=333333 max_interval=666666 min_bps=110592000 "
                              "max_bps=221184000"));
  EXPECT_TRUE(contains(lines, "setformat 1280x720 hr=0x00000000"));
  EXPECT_TRUE(contains(lines, "type 1280x720 RGB24 avg_time_per_frame=666666"));
  int samples = 0;
  for (const auto& line : lines) {
    long long index = 0, start = 0, stop = 0, media_start = 0, media_stop = 0, size = 0;
    if (std::sscanf(line.c_str(), "sample %lld start=%lld stop=%lld media=%lld-%lld size=%lld", &index, &start, &stop,
                    &media_start, &media_stop, &size) != 6)
      continue;
    EXPECT_EQ(index, samples);
    EXPECT_EQ(start, index * 666'666);
    EXPECT_EQ(stop, (index + 1) * 666'666);
    EXPECT_EQ(media_start, index);
    EXPECT_EQ(media_stop, index + 1);
    EXPECT_EQ(size, 1280 * 720 * 3);
    ++samples;
  }
  EXPECT_EQ(samples, 16);

  for (const wchar_t* name : {L"\\frame_0.png", L"\\frame_15.png"}) {
    const std::wstring path = out + name;
    EXPECT_TRUE(contains(lines, "png " + utf16_to_utf8(u16(path.c_str())))) << r.output;
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    std::vector<unsigned char> bytes(::GetFileSize(file.get(), nullptr));
    DWORD got = 0;
    ASSERT_TRUE(::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr));
    int w = 0, h = 0, n = 0;
    ASSERT_TRUE(stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    file.reset();
    ::DeleteFileW(path.c_str());
  }
  ::RemoveDirectoryW(out.c_str());
}

TEST_F(CaptureTool, UnknownDeviceAndRefusedSizeHaveTheirExitCodes) {
  EXPECT_EQ(run(capture_tool() + L"--device \"No Such Camera\" --frames 1").code, 3u);
  EXPECT_EQ(run(capture_tool() + L"--device ZeloCamV10 --size 1000x1000 --frames 1").code, 5u);
  EXPECT_EQ(run(capture_tool() + L"--frames 1").code, 2u);
}

}  // namespace
}  // namespace vcam::capture
