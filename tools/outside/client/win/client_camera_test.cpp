// The road of a frame with the client module as its source: the camera is
// registered, the client's entry runs with the real channel names, and the
// capture tool, as any DirectShow application, opens "ZeloCamV10" and gets
// the client's test card at 1280 x 720; once the client window is closed it
// gets the placeholder again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <stb/stb_image.h>

#include "camera/filter/win/testing/registration_tool.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/wide.h"
#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"
#include "tools/publisher/test_pattern.h"

namespace vcam::client {
namespace {

using camera::testing::camera_module_path;
using camera::testing::run_regsvr32;

class SilentSplash final : public launcher::splash_window_interface {
 public:
  void show_text(const char16_t*) override {}
  void hide(bool) override {}
};

std::wstring here() { return std::wstring(wide(application_folder())); }

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  std::uint32_t at(double fx, double fy) const {
    const std::size_t i = (static_cast<std::size_t>(fy * height) * width + static_cast<std::size_t>(fx * width)) * 3;
    return (std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
  }
};

Picture load_png(const std::wstring& path) {
  Picture p;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return p;
  int n = 0;
  unsigned char* data = stbi_load_from_file(f, &p.width, &p.height, &n, 3);
  std::fclose(f);
  if (data) p.rgb.assign(data, data + static_cast<std::size_t>(p.width) * p.height * 3);
  stbi_image_free(data);
  return p;
}

bool close_to(std::uint32_t got, std::uint32_t want) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((got >> s) & 0xFF) - static_cast<int>((want >> s) & 0xFF)) > 0x20) return false;
  return true;
}

class ClientCameraTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registered_ = run_regsvr32(L"/s \"" + camera_module_path() + L"\"") == 0; }
  static void TearDownTestSuite() { run_regsvr32(L"/s /u \"" + camera_module_path() + L"\""); }
  void SetUp() override {
    ASSERT_TRUE(registered_);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    out_ = std::wstring(temp) + L"vcam_client_camera_" + std::to_wstring(::GetCurrentProcessId());
  }

  testing::ProgramResult capture(const std::wstring& name, int frames, int png) {
    return testing::run_program(L"\"" + here() + L"vcam_capture.exe\" --device ZeloCamV10 --size 1280x720 --frames " +
                                    std::to_wstring(frames) + L" --png " + std::to_wstring(png) + L" --out \"" + out_ +
                                    L"\\" + name + L"\"",
                                60000);
  }

  static inline bool registered_ = false;
  std::wstring out_;
};

TEST_F(ClientCameraTest, ACameraClientSeesTheTestCardWhileTheWindowIsOpen) {
  HMODULE module = ::LoadLibraryW((here() + L"vcam_client.dll").c_str());
  ASSERT_NE(module, nullptr);
  const auto entry = reinterpret_cast<launcher::client_entry>(
      reinterpret_cast<void*>(::GetProcAddress(module, "_zelovirtual_camera_main")));
  ASSERT_NE(entry, nullptr);
  launcher::ClientStartupBlock block{};
  std::copy_n(u"6.0.0.5", 8, block.current_version);
  ::SetEnvironmentVariableW(L"VCAM_CLIENT_AUTOPILOT", nullptr);

  testing::ProgramResult live, after;
  DWORD live_ms = 0;
  std::thread application([&] {
    HWND window = nullptr;
    for (int i = 0; i < 500 && !window; ++i, ::Sleep(20)) window = ::FindWindowW(L"zelovcam_client", nullptr);
    if (!window) return;
    const DWORD start = ::GetTickCount();
    live = capture(L"live", 45, 44);
    live_ms = ::GetTickCount() - start;
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    after = capture(L"after", 3, 2);
  });
  SilentSplash splash;
  EXPECT_FALSE(entry(&block, &splash));
  application.join();

  ASSERT_EQ(live.code, 0u) << live.output;
  int samples = 0;
  for (const auto& line : testing::lines_of(live.output)) samples += line.rfind("sample ", 0) == 0;
  EXPECT_EQ(samples, 45) << live.output;
  const Picture card = load_png(out_ + L"\\live\\frame_44.png");
  ASSERT_EQ(card.width, 1280) << live.output;
  ASSERT_EQ(card.height, 720);
  EXPECT_TRUE(close_to(card.at(0.05, 0.05), publisher::kTopLeftMarker)) << std::hex << card.at(0.05, 0.05);
  EXPECT_TRUE(close_to(card.at(0.95, 0.05), publisher::kTopRightMarker));
  EXPECT_TRUE(close_to(card.at(0.05, 0.95), publisher::kBottomLeftMarker));
  EXPECT_TRUE(close_to(card.at(0.95, 0.95), publisher::kBottomRightMarker));
  // 45 pictures at 15 a second, with the graph's start: well under 3 x 3 s.
  EXPECT_LT(live_ms, 9000u);
  std::printf("camera delivered 45 samples of the client's pictures in %lu ms\n", live_ms);

  // The window is gone: the camera is back to its placeholder.
  ASSERT_EQ(after.code, 0u) << after.output;
  const Picture placeholder = load_png(out_ + L"\\after\\frame_2.png");
  ASSERT_EQ(placeholder.width, 1280);
  EXPECT_FALSE(close_to(placeholder.at(0.05, 0.05), publisher::kTopLeftMarker));
  EXPECT_FALSE(close_to(placeholder.at(0.95, 0.95), publisher::kBottomRightMarker));

  for (const wchar_t* f : {L"\\live\\frame_44.png", L"\\after\\frame_2.png"}) ::DeleteFileW((out_ + f).c_str());
  ::RemoveDirectoryW((out_ + L"\\live").c_str());
  ::RemoveDirectoryW((out_ + L"\\after").c_str());
  ::RemoveDirectoryW(out_.c_str());
}

}  // namespace
}  // namespace vcam::client
