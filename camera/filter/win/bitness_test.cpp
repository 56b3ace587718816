// The 64-bit camera beside the 32-bit one, in one 64-bit prefix: both modules
// register the same class and device, each in its own registry view; pictures
// cross between publishers and filters of either bitness through the one frame
// channel; and the consumer list records hosts of both. Built only for 64-bit
// Windows; the 32-bit side comes from the win32 build (VCAM_WIN32_BUILD) and
// is skipped on machines that cannot execute i386 programs (VCAM_I386).
#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "camera/dshow/testing/class_registry.h"
#include "camera/filter/win/filter_identity.h"
#include "camera/filter/win/testing/camera_graph.h"
#include "camera/filter/win/testing/consumer_list_reader.h"
#include "camera/filter/win/testing/registration_tool.h"
#include "camera/pump/picture_geometry.h"
#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/publisher/pattern_check.h"

namespace vcam::camera {
namespace {

using dshow::testing::clsid_key;
using testing::CameraGraphFixture;
using testing::kGraphWaitMs;
using testing::PublisherProcess;
using vcam::testing::contains;
using vcam::testing::lines_of;
using vcam::testing::run_program;

static_assert(sizeof(void*) == 8, "the other bitness of these tests is the 32-bit build");

bool i386_runs() {
  const char* answer = std::getenv("VCAM_I386");
  return answer && std::strcmp(answer, "yes") == 0;
}

// A file of the win32 build, as this prefix sees it (Z: is the Linux root).
std::wstring win32_build_file(const wchar_t* relative) {
  const char* folder = std::getenv("VCAM_WIN32_BUILD");
  if (!folder) return {};
  std::wstring path = L"Z:" + std::wstring(wide(utf8_to_utf16(folder))) + L"\\" + relative;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

bool file_exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring module64_path() { return testing::camera_module_path(); }
std::wstring module32_path() { return win32_build_file(L"camera\\filter\\vcam_source.ax"); }

// The 32-bit registration tool of a 64-bit system, which writes the 32-bit view.
std::wstring wow64_regsvr32() {
  wchar_t folder[MAX_PATH] = {};
  if (!::GetSystemWow64DirectoryW(folder, MAX_PATH)) return {};
  return std::wstring(folder) + L"\\regsvr32.exe";
}

DWORD regsvr32_32(const std::wstring& arguments) {
  return run_program(L"\"" + wow64_regsvr32() + L"\" " + arguments).code;
}
DWORD regsvr32_64(const std::wstring& arguments) { return testing::run_regsvr32(arguments); }

// A value under HKEY_CLASSES_ROOT in one registry view (KEY_WOW64_32KEY or
// KEY_WOW64_64KEY), whatever the view of this process.
std::optional<std::wstring> class_value(REGSAM view, const std::wstring& key, const wchar_t* name) {
  UniqueKey k;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE | view, k.put()) != ERROR_SUCCESS)
    return std::nullopt;
  wchar_t buffer[1024] = {};
  DWORD bytes = sizeof buffer - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  return std::wstring(buffer);
}

bool class_key_in_view(REGSAM view, const std::wstring& key) {
  UniqueKey k;
  return ::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ | view, k.put()) == ERROR_SUCCESS;
}

std::wstring inproc_key() { return clsid_key(kFilterClsid, L"InprocServer32"); }
std::wstring device_key() { return clsid_key(CLSID_VideoInputDeviceCategory, L"Instance"); }

// Whether the camera has a device entry in the view's video-input category.
bool device_in_view(REGSAM view) {
  UniqueKey instances;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, device_key().c_str(), 0, KEY_READ | view, instances.put()) != ERROR_SUCCESS)
    return false;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (::RegEnumKeyExW(instances.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    const auto friendly = class_value(view, device_key() + L"\\" + name, L"FriendlyName");
    if (friendly && *friendly == kFilterName) return true;
  }
}

bool ends_with(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string narrow(const std::wstring& text) { return utf16_to_utf8(u16(text.c_str())); }

// Tests that need the 32-bit build running beside the 64-bit one.
class BothBitnesses : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!i386_runs()) GTEST_SKIP() << "this machine cannot execute i386 programs: no 32-bit side to test";
    ASSERT_TRUE(file_exists(module32_path())) << "no 32-bit build at " << narrow(module32_path());
    ASSERT_TRUE(file_exists(wow64_regsvr32())) << "the prefix has no 32-bit system folder";
  }
  void TearDown() override {
    if (registered64_) regsvr32_64(L"/s /u \"" + module64_path() + L"\"");
    if (registered32_) regsvr32_32(L"/s /u \"" + module32_path() + L"\"");
  }
  void RegisterBoth() {
    ASSERT_EQ(regsvr32_64(L"/s \"" + module64_path() + L"\""), 0u);
    registered64_ = true;
    ASSERT_EQ(regsvr32_32(L"/s \"" + module32_path() + L"\""), 0u);
    registered32_ = true;
  }
  // The 32-bit capture tool's device list.
  std::vector<std::string> Devices32() {
    const auto r = run_program(L"\"" + win32_build_file(L"tools\\capture\\vcam_capture.exe") + L"\" --list");
    EXPECT_EQ(r.code, 0u) << r.output;
    return lines_of(r.output);
  }

  bool registered64_ = false;
  bool registered32_ = false;
};

TEST_F(BothBitnesses, EachModuleRegistersTheSameDeviceInItsOwnView) {
  RegisterBoth();
  const auto server64 = class_value(KEY_WOW64_64KEY, inproc_key(), nullptr);
  const auto server32 = class_value(KEY_WOW64_32KEY, inproc_key(), nullptr);
  ASSERT_TRUE(server64 && server32);
  EXPECT_TRUE(ends_with(*server64, L"\\vcam_source64.ax")) << narrow(*server64);
  EXPECT_TRUE(ends_with(*server32, L"\\vcam_source.ax")) << narrow(*server32);
  EXPECT_EQ(class_value(KEY_WOW64_64KEY, inproc_key(), L"ThreadingModel"), std::wstring(L"Both"));
  EXPECT_EQ(class_value(KEY_WOW64_32KEY, inproc_key(), L"ThreadingModel"), std::wstring(L"Both"));
  EXPECT_EQ(class_value(KEY_WOW64_64KEY, clsid_key(kFilterClsid), nullptr), std::wstring(kFilterName));
  EXPECT_EQ(class_value(KEY_WOW64_32KEY, clsid_key(kFilterClsid), nullptr), std::wstring(kFilterName));
  EXPECT_TRUE(device_in_view(KEY_WOW64_64KEY));
  EXPECT_TRUE(device_in_view(KEY_WOW64_32KEY));
  // Each bitness's device enumerator lists the device.
  EXPECT_TRUE(dshow::testing::listed(CLSID_VideoInputDeviceCategory, kFilterName));
  EXPECT_TRUE(contains(Devices32(), "video device ZeloCamV10"));
}

TEST_F(BothBitnesses, UnregisteringOneModuleLeavesTheOther) {
  RegisterBoth();
  ASSERT_EQ(regsvr32_64(L"/s /u \"" + module64_path() + L"\""), 0u);
  registered64_ = false;
  EXPECT_FALSE(class_key_in_view(KEY_WOW64_64KEY, clsid_key(kFilterClsid)));
  EXPECT_FALSE(device_in_view(KEY_WOW64_64KEY));
  EXPECT_FALSE(dshow::testing::listed(CLSID_VideoInputDeviceCategory, kFilterName));
  const auto server32 = class_value(KEY_WOW64_32KEY, inproc_key(), nullptr);
  ASSERT_TRUE(server32) << "the 32-bit registration went with the 64-bit one";
  EXPECT_TRUE(ends_with(*server32, L"\\vcam_source.ax"));
  EXPECT_TRUE(device_in_view(KEY_WOW64_32KEY));
  EXPECT_TRUE(contains(Devices32(), "video device ZeloCamV10"));

  // And the other way round.
  ASSERT_EQ(regsvr32_64(L"/s \"" + module64_path() + L"\""), 0u);
  registered64_ = true;
  ASSERT_EQ(regsvr32_32(L"/s /u \"" + module32_path() + L"\""), 0u);
  registered32_ = false;
  EXPECT_FALSE(device_in_view(KEY_WOW64_32KEY));
  EXPECT_FALSE(contains(Devices32(), "video device ZeloCamV10"));
  EXPECT_TRUE(device_in_view(KEY_WOW64_64KEY));
  EXPECT_TRUE(dshow::testing::listed(CLSID_VideoInputDeviceCategory, kFilterName));
}

// The 32-bit uninstaller runs the registration tool of its own bitness on
// both modules; the tool hands the 64-bit one to its 64-bit twin, as Windows'
// does, so each module still lands in and leaves its own view.
TEST_F(BothBitnesses, The32BitRegistrationToolServesThe64BitModuleInThe64BitView) {
  ASSERT_EQ(regsvr32_32(L"/s \"" + module64_path() + L"\""), 0u);
  registered64_ = true;
  const auto server64 = class_value(KEY_WOW64_64KEY, inproc_key(), nullptr);
  ASSERT_TRUE(server64);
  EXPECT_TRUE(ends_with(*server64, L"\\vcam_source64.ax")) << narrow(*server64);
  EXPECT_FALSE(class_key_in_view(KEY_WOW64_32KEY, clsid_key(kFilterClsid))) << "written to the 32-bit view";
  ASSERT_EQ(regsvr32_32(L"/s /u \"" + module64_path() + L"\""), 0u);
  registered64_ = false;
  EXPECT_FALSE(class_key_in_view(KEY_WOW64_64KEY, clsid_key(kFilterClsid)));
  EXPECT_FALSE(device_in_view(KEY_WOW64_64KEY));
}

// The 64-bit filter in a 64-bit graph, fed by a 32-bit publisher.
class SixtyFourBitGraph : public CameraGraphFixture {
 protected:
  void SetUp() override {
    if (!i386_runs()) GTEST_SKIP() << "this machine cannot execute i386 programs: no 32-bit publisher";
    CameraGraphFixture::SetUp();
  }
};

TEST_F(SixtyFourBitGraph, ShowsThePlaceholderThenA32BitPublishersPictureUpright) {
  recorder_.KeepData();
  ASSERT_EQ(ChooseSize(1280, 720), S_OK);
  ASSERT_EQ(ConnectCamera(), S_OK);
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(2, kGraphWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const std::vector<std::uint8_t> placeholder = recorder_.Data(0);
  ASSERT_EQ(placeholder.size(), 1280u * 720 * 3);
  EXPECT_EQ(recorder_.Data(1), placeholder);
  EXPECT_FALSE(publisher::check_pattern_corners(placeholder.data(), 1280, 720, 0.125, 0.875).ok())
      << "nothing is published yet";

  PublisherProcess publisher;
  const std::wstring program = win32_build_file(L"tools\\publisher\\vcam_publisher.exe");
  ASSERT_TRUE(publisher.Start(L"--size 800x600 --first-number 64 --freeze-after-frames 1", program))
      << "the 32-bit publisher did not publish: " << narrow(program);
  recorder_.Clear();
  ASSERT_TRUE(SUCCEEDED(control_->Run()));
  ASSERT_TRUE(recorder_.WaitFor(2, kGraphWaitMs));
  ASSERT_EQ(control_->Stop(), S_OK);
  const std::vector<std::uint8_t> sample = recorder_.Data(1);
  ASSERT_EQ(sample.size(), 1280u * 720 * 3);
  const auto picture = publisher::check_pattern_picture(sample.data(), 1280, 720, 800, 600, 64, 0.125, 0.875);
  EXPECT_TRUE(picture.ok()) << picture.checked << " points, " << picture.mismatched << " off: " << picture.report;
  const auto corners = publisher::check_pattern_corners(sample.data(), 1280, 720, 0.125, 0.875);
  EXPECT_TRUE(corners.ok()) << "quadrant colours or orientation: " << corners.report;
}

// A PNG of the capture tool as the bottom-up BGR picture a sample would be.
std::vector<std::uint8_t> png_as_dib24(const std::wstring& path, int expected_w, int expected_h) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::vector<std::uint8_t> bytes(::GetFileSize(file.get(), nullptr));
  DWORD got = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())
    return {};
  int w = 0, h = 0, n = 0;
  stbi_uc* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 3);
  if (!rgb) return {};
  std::vector<std::uint8_t> dib;
  if (w == expected_w && h == expected_h) {
    const size_t stride = dib_stride24(w);
    dib.assign(stride * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const stbi_uc* p = rgb + (static_cast<size_t>(y) * w + x) * 3;
        std::uint8_t* q = dib.data() + static_cast<size_t>(h - 1 - y) * stride + static_cast<size_t>(x) * 3;
        q[0] = p[2];
        q[1] = p[1];
        q[2] = p[0];
      }
  }
  stbi_image_free(rgb);
  return dib;
}

TEST_F(BothBitnesses, The32BitCameraShowsA64BitPublishersPictureUpright) {
  ASSERT_EQ(regsvr32_32(L"/s \"" + module32_path() + L"\""), 0u);
  registered32_ = true;
  PublisherProcess publisher;
  ASSERT_TRUE(publisher.Start(L"--size 800x600 --first-number 32 --freeze-after-frames 1",
                              std::wstring(wide(application_folder())) + L"vcam_publisher.exe"));
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"vcam_bitness_" + std::to_wstring(::GetCurrentProcessId());
  const auto r = run_program(L"\"" + win32_build_file(L"tools\\capture\\vcam_capture.exe") +
                             L"\" --device ZeloCamV10 --size 640x480 --frames 3 --png 2 --out \"" + out + L"\"");
  ASSERT_EQ(r.code, 0u) << r.output;
  const std::wstring png = out + L"\\frame_2.png";
  const std::vector<std::uint8_t> picture = png_as_dib24(png, 640, 480);
  ::DeleteFileW(png.c_str());
  ::RemoveDirectoryW(out.c_str());
  ASSERT_FALSE(picture.empty()) << "no 640x480 picture in " << narrow(png);
  const auto check = publisher::check_pattern_picture(picture.data(), 640, 480, 800, 600, 32);
  EXPECT_TRUE(check.ok()) << check.checked << " points, " << check.mismatched << " off: " << check.report;
  EXPECT_TRUE(publisher::check_pattern_corners(picture.data(), 640, 480).ok());
}

TEST_F(BothBitnesses, TheConsumerListRecordsHostsOfBothBitnesses) {
  RegisterBoth();
  testing::ConsumerListReader list;
  ASSERT_TRUE(list.Open());
  wchar_t exe[MAX_PATH] = {};
  ASSERT_NE(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
  const std::u16string self = std::u16string(u16(exe)) + u";";
  {
    UniqueModule camera64(::LoadLibraryW(module64_path().c_str()));
    ASSERT_TRUE(camera64);
    EXPECT_NE(list.UnlockedText().find(self), std::u16string::npos) << "the 64-bit host is not listed";

    // A 32-bit host: the 32-bit capture tool, streaming from the 32-bit module.
    const std::wstring tool = win32_build_file(L"tools\\capture\\vcam_capture.exe");
    const std::u16string entry = std::u16string(u16(tool.c_str())) + u";";
    const UniqueHandle process =
        vcam::testing::start_program(L"\"" + tool + L"\" --device ZeloCamV10 --frames 20", CREATE_NO_WINDOW);
    ASSERT_TRUE(process);
    bool both = false;
    while (::WaitForSingleObject(process.get(), 5) == WAIT_TIMEOUT) {
      const std::u16string text = list.UnlockedText();
      if (text.find(entry) != std::u16string::npos && text.find(self) != std::u16string::npos) both = true;
    }
    EXPECT_TRUE(both) << "never saw both hosts; list: " << utf16_to_utf8(list.UnlockedText());
    EXPECT_EQ(list.UnlockedText().find(entry), std::u16string::npos) << "the 32-bit host stayed after it ended";
  }
  EXPECT_EQ(list.UnlockedText().find(self), std::u16string::npos) << "the 64-bit host stayed after unloading";
}

}  // namespace
}  // namespace vcam::camera
