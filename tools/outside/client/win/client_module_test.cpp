// vcam_client.dll loaded as the launcher loads it: its entry called with a
// filled startup block and a splash that records what the module does with
// it, while a second thread plays the second launcher start and the camera.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "camera/channel/win/channel_test_support.h"
#include "camera/channel/win/frame_channel.h"
#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/wide.h"
#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"
#include "tools/outside/client/channel_picture.h"
#include "tools/outside/client/test_card.h"
#include "tools/publisher/test_pattern.h"

namespace vcam::client {
namespace {

namespace fs = std::filesystem;

class RecordingSplash final : public launcher::splash_window_interface {
 public:
  void show_text(const char16_t* text) override { calls.push_back("show " + utf16_to_utf8(text)); }
  void hide(bool destroy) override { calls.push_back(destroy ? "hide destroy" : "hide"); }
  std::vector<std::string> calls;
};

template <std::size_t N>
void put(char16_t (&field)[N], const std::u16string& text) {
  std::copy(text.begin(), text.end(), field);
}

HWND wait_for_window(const wchar_t* title, DWORD limit_ms = 10000) {
  for (DWORD waited = 0; waited < limit_ms; waited += 20) {
    if (HWND w = ::FindWindowW(L"zelovcam_client", title)) return w;
    ::Sleep(20);
  }
  return nullptr;
}

// Within 0x18 per channel: the reduction blends only at colour edges.
bool close_to(std::uint32_t got, std::uint32_t want) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((got >> s) & 0xFF) - static_cast<int>((want >> s) & 0xFF)) > 0x18) return false;
  return true;
}

struct ChannelPicture {
  std::int32_t width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  std::uint32_t at(double fx, double fy) const {
    const auto x = static_cast<std::int32_t>(fx * width), y = static_cast<std::int32_t>(fy * height);
    const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
};

class ClientModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_path_ = fs::path(wide(application_folder())) / L"logs" / L"client.log";
    std::error_code ignored;
    fs::remove(log_path_, ignored);
    module_ = ::LoadLibraryW(wide(application_folder() + u"vcam_client.dll"));
    ASSERT_NE(module_, nullptr) << ::GetLastError();
    entry_ = reinterpret_cast<launcher::client_entry>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "_zelovirtual_camera_main")));
    ASSERT_NE(entry_, nullptr);
    suffix_ = camera::testing::test_suffix(u"client");
    names_ = camera::testing::test_names(camera::kFrameChannelNames, suffix_);
    put(block_.url_effect, u"https://effects.example/list");
    put(block_.current_version, u"6.0.0.5");
    put(block_.latest_version, u"6.0.1.0");
    put(block_.command_line, u"--first 你好");
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"VCAM_CLIENT_AUTOPILOT", nullptr); }

  void autopilot(const std::u16string& words) {
    const std::u16string value = words + u" channel=" + suffix_;
    ::SetEnvironmentVariableW(L"VCAM_CLIENT_AUTOPILOT", wide(value));
  }

  std::string log_text() const {
    std::ifstream in(log_path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Waits until the channel holds a picture, then copies it.
  ChannelPicture wait_for_picture(camera::FrameChannel& channel, DWORD limit_ms = 10000) {
    ChannelPicture p;
    for (DWORD waited = 0; waited < limit_ms && channel.width() == 0; waited += 20) ::Sleep(20);
    p.width = channel.width();
    p.height = channel.height();
    if (p.width <= 0 || p.height <= 0) return p;
    p.pixels.resize(static_cast<std::size_t>(p.width) * p.height * 4);
    if (!channel.copyPixels(p.pixels.data(), p.pixels.size())) p.width = 0;
    return p;
  }

  fs::path log_path_;
  HMODULE module_ = nullptr;  // never freed, as the launcher never frees it
  launcher::client_entry entry_ = nullptr;
  std::u16string suffix_;
  camera::RegionNames names_;
  launcher::ClientStartupBlock block_{};
  RecordingSplash splash_;
};

TEST_F(ClientModuleTest, ExportsThePlainEntryName) {
  EXPECT_EQ(::GetProcAddress(module_, "__zelovirtual_camera_main"), nullptr);
  EXPECT_NE(::GetProcAddress(module_, "_zelovirtual_camera_main"), nullptr);
}

TEST_F(ClientModuleTest, RunsItsWindowTakesCommandLinesPublishesAndStopsWhenClosed) {
  autopilot(u"");
  camera::FrameChannel channel(names_);
  ASSERT_TRUE(channel.open());
  LRESULT copy_result = 0;
  ChannelPicture picture;
  std::uint64_t stamps_in_two_seconds = 0;
  std::atomic<bool> found{false};
  std::thread launcher_and_camera([&] {
    HWND window = wait_for_window(L"ZeloOlvana - 6.0.0.5");
    found = window != nullptr;
    if (!window) return;
    const std::u16string second = u"--second 摄像头";
    COPYDATASTRUCT copy{0, static_cast<DWORD>((second.size() + 1) * 2), const_cast<char16_t*>(second.c_str())};
    copy_result = ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    picture = wait_for_picture(channel);
    const std::uint64_t first = channel.stamp();
    ::Sleep(2000);
    stamps_in_two_seconds = channel.stamp() - first;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  });
  const bool result = entry_(&block_, &splash_);
  launcher_and_camera.join();
  const std::uint64_t stamp_after = channel.stamp();

  EXPECT_FALSE(result) << "a closed window asks for no restart";
  ASSERT_TRUE(found) << "no window of class zelovcam_client titled with the version";
  EXPECT_EQ(copy_result, TRUE);
  // The splash got its texts and was destroyed before the window ran.
  ASSERT_GE(splash_.calls.size(), 3u);
  EXPECT_EQ(splash_.calls.back(), "hide destroy");
  EXPECT_EQ(std::count(splash_.calls.begin(), splash_.calls.end(), "hide destroy"), 1);
  for (std::size_t i = 0; i + 1 < splash_.calls.size(); ++i) EXPECT_EQ(splash_.calls[i].rfind("show ", 0), 0u);

  // The camera saw the test card reduced to the channel's size.
  const PictureSize size = channel_picture_size(kWorkingWidth, kWorkingHeight, camera::kFramePixelAreaSize);
  ASSERT_EQ(picture.width, size.width);
  ASSERT_EQ(picture.height, size.height);
  EXPECT_TRUE(close_to(picture.at(0.05, 0.05), publisher::kTopLeftMarker));
  EXPECT_TRUE(close_to(picture.at(0.95, 0.05), publisher::kTopRightMarker));
  EXPECT_TRUE(close_to(picture.at(0.05, 0.95), publisher::kBottomLeftMarker));
  EXPECT_TRUE(close_to(picture.at(0.95, 0.95), publisher::kBottomRightMarker));
  EXPECT_TRUE(close_to(picture.at(0.21, 0.595), kPanelColour));
  // 15 a second; a loaded machine may drop some, never most.
  EXPECT_GE(stamps_in_two_seconds, 15u);
  EXPECT_LE(stamps_in_two_seconds, 32u);

  // Withdrawn on return: the camera shows its placeholder at once, and no
  // stamp changes afterwards.
  EXPECT_EQ(channel.width(), 0);
  ::Sleep(300);
  EXPECT_EQ(channel.stamp(), stamp_after);

  const std::string log = log_text();
  for (const char* line : {"client: entry called", "client: url_effect: https://effects.example/list",
                           "client: current_version: 6.0.0.5", "client: latest_version: 6.0.1.0",
                           "client: command_line: --first \xE4\xBD\xA0\xE5\xA5\xBD",
                           "client: command line received: --second \xE6\x91\x84\xE5\x83\x8F\xE5\xA4\xB4",
                           "client: entry returns false"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
}

TEST_F(ClientModuleTest, TheRestartButtonAsksForAFreshStart) {
  autopilot(u"");
  std::atomic<bool> clicked{false};
  std::thread user([&] {
    HWND window = wait_for_window(L"ZeloOlvana - 6.0.0.5");
    // The window is found by title while its children are still being made.
    HWND button = nullptr;
    for (int i = 0; window && !button && i < 250; ++i, ::Sleep(20))
      button = ::FindWindowExW(window, nullptr, L"Button", L"Restart");
    if (!button) {
      if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
      return;
    }
    clicked = ::PostMessageW(button, BM_CLICK, 0, 0) != 0;
  });
  const bool result = entry_(&block_, &splash_);
  user.join();
  ASSERT_TRUE(clicked);
  EXPECT_TRUE(result);
  EXPECT_NE(log_text().find("client: restart requested"), std::string::npos);
  EXPECT_EQ(::FindWindowW(L"zelovcam_client", nullptr), nullptr) << "the window is gone after the entry";
}

TEST_F(ClientModuleTest, TheTestHookPressesRestartAfterItsPictures) {
  autopilot(u"restart=6");
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(entry_(&block_, &splash_));
  EXPECT_LT(::GetTickCount() - start, 30000u);
  const std::string log = log_text();
  EXPECT_NE(log.find("client: autopilot presses restart"), std::string::npos) << log;
  const std::size_t at = log.find("client: window closed after ");
  ASSERT_NE(at, std::string::npos) << log;
  EXPECT_GE(std::stoi(log.substr(at + 28)), 6);
}

TEST_F(ClientModuleTest, AnUnterminatedVersionLeavesTheTitleWithoutIt) {
  autopilot(u"close=2");
  std::fill(std::begin(block_.current_version), std::end(block_.current_version), u'7');
  std::atomic<bool> found{false};
  std::thread watcher([&] { found = wait_for_window(L"ZeloOlvana - ") != nullptr; });
  EXPECT_FALSE(entry_(&block_, &splash_));
  watcher.join();
  EXPECT_TRUE(found);
  EXPECT_NE(log_text().find("current_version has no terminator"), std::string::npos);
}

TEST_F(ClientModuleTest, WithoutABlockItRemovesTheSplashAndReturnsFalse) {
  EXPECT_FALSE(entry_(nullptr, &splash_));
  EXPECT_EQ(splash_.calls, std::vector<std::string>{"hide destroy"});
  EXPECT_FALSE(entry_(nullptr, nullptr));
  EXPECT_NE(log_text().find("client: no startup block"), std::string::npos);
}

// A window of one colour over the whole screen: what the screen source must show.
LRESULT CALLBACK plain_window_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(w, m, wp, lp); }

TEST_F(ClientModuleTest, TheScreenSourcePublishesWhatIsOnTheScreen) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = plain_window_proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = ::CreateSolidBrush(RGB(0x20, 0xC0, 0x40));
  wc.lpszClassName = L"client_test_cover";
  ASSERT_NE(::RegisterClassW(&wc), 0);
  HWND cover = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0,
                                 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                 nullptr, wc.hInstance, nullptr);
  ASSERT_NE(cover, nullptr);
  autopilot(u"source=screen");
  camera::FrameChannel channel(names_);
  ASSERT_TRUE(channel.open());
  std::uint32_t centre = 0;
  std::thread camera_side([&] {
    HWND window = wait_for_window(L"ZeloOlvana - 6.0.0.5");
    if (!window) return;
    // The first pictures may predate the cover's first paint.
    for (int i = 0; i < 100 && !close_to(centre, 0x20C040); ++i) {
      ::Sleep(50);
      centre = wait_for_picture(channel).at(0.5, 0.5);
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(entry_(&block_, &splash_));
  camera_side.join();
  ::DestroyWindow(cover);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
  ::DeleteObject(wc.hbrBackground);
  EXPECT_TRUE(close_to(centre, 0x20C040)) << std::hex << centre;
  EXPECT_NE(log_text().find("client: test hook source=screen"), std::string::npos);
}

}  // namespace
}  // namespace vcam::client
