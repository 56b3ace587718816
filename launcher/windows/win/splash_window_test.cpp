// The single splash in a real window: created once, shown again after a
// hide, re-created after a destroying hide, its picture and status line on
// screen, and alive after the toolkit has shut down.
#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win/wide.h"
#include "dui/win/ui_runtime_win.h"
#include "launcher/windows/splash_window.h"
#include "launcher/windows/splash_window_impl.h"
#include "launcher/windows/win/windows_test_support.h"

namespace vcam::launcher::wintest {
namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  std::uint32_t Rgb(int x, int y) const {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  }
};

Picture LoadPicture(const std::u16string& path) {
  Picture p;
  FILE* f = ::_wfopen(wide(path), L"rb");
  if (!f) return p;
  int channels = 0;
  unsigned char* data = stbi_load_from_file(f, &p.width, &p.height, &channels, 4);
  std::fclose(f);
  if (data) p.rgba.assign(data, data + static_cast<std::size_t>(p.width) * p.height * 4);
  stbi_image_free(data);
  return p;
}

// The status box's pixels that differ from the picture.
int ChangedInStatusBox(const SplashWindow& splash, const Picture& picture) {
  int n = 0;
  const dui::BackBuffer& b = splash.back_buffer();
  for (int y = SplashWindow::kStatusBox.top; y < SplashWindow::kStatusBox.bottom; ++y)
    for (int x = SplashWindow::kStatusBox.left; x < SplashWindow::kStatusBox.right; ++x)
      n += Rgb(b, x, y) != picture.Rgb(x, y) ? 1 : 0;
  return n;
}

using Splash = LauncherWindows;

TEST_F(Splash, ShowTextTwiceCreatesOneSplashAndOnlyChangesTheText) {
  splash_window_impl splash;
  EXPECT_EQ(SplashWindow::instance(), nullptr);
  splash.show_text(u"读取网络配置信息...");
  SplashWindow* first = SplashWindow::instance();
  ASSERT_NE(first, nullptr);
  const HWND hwnd = first->hwnd();
  EXPECT_TRUE(::IsWindowVisible(hwnd));
  EXPECT_EQ(first->text(), u"读取网络配置信息...");
  const RECT r = WindowRect(hwnd);
  EXPECT_EQ(r.right - r.left, 450);
  EXPECT_EQ(r.bottom - r.top, 260);
  const POINT centred = CentredOrigin(450, 260);
  EXPECT_EQ(r.left, centred.x);
  EXPECT_EQ(r.top, centred.y);
  const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_POPUP);

  splash.show_text(u"读取版本更新信息...");
  EXPECT_EQ(SplashWindow::instance(), first);
  EXPECT_EQ(first->hwnd(), hwnd);
  EXPECT_EQ(first->text(), u"读取版本更新信息...");
}

TEST_F(Splash, HideKeepsTheSplashAndDestroyingHideMakesTheNextShowCreateANewOne) {
  splash_window_impl splash;
  splash.hide(true);  // nothing to hide: nothing happens
  EXPECT_EQ(SplashWindow::instance(), nullptr);
  splash.show_text(u"one");
  SplashWindow* first = SplashWindow::instance();
  ASSERT_NE(first, nullptr);
  const HWND hwnd = first->hwnd();

  splash.hide(false);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  EXPECT_EQ(SplashWindow::instance(), first);
  splash.show_text(u"two");
  EXPECT_EQ(SplashWindow::instance(), first) << "the same splash shown again";
  EXPECT_TRUE(::IsWindowVisible(hwnd));

  splash.hide(true);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(SplashWindow::instance(), nullptr);
  splash.show_text(u"three");
  ASSERT_NE(SplashWindow::instance(), nullptr);
  EXPECT_NE(SplashWindow::instance()->hwnd(), hwnd) << "a new window";
  EXPECT_TRUE(::IsWindowVisible(SplashWindow::instance()->hwnd()));
  EXPECT_EQ(SplashWindow::instance()->text(), u"three");
}

TEST_F(Splash, ThePictureAndTheWhiteStatusLineAreOnScreenWhenShowTextReturns) {
  const Picture picture = LoadPicture(Resource(u"splash\\default"));
  ASSERT_EQ(picture.width, 450);
  ASSERT_EQ(picture.height, 260);
  splash_window_impl splash;
  splash.show_text(u"");
  SplashWindow* s = SplashWindow::instance();
  ASSERT_NE(s, nullptr);
  ASSERT_TRUE(s->has_image());
  const dui::BackBuffer& b = s->back_buffer();
  for (POINT p : {POINT{0, 0}, POINT{225, 130}, POINT{449, 259}, POINT{10, 240}})
    EXPECT_EQ(Rgb(b, p.x, p.y), picture.Rgb(p.x, p.y)) << p.x << "," << p.y;
  EXPECT_EQ(ChangedInStatusBox(*s, picture), 0) << "no text, no change";

  splash.show_text(u"读取解码器信息...");
  // No pump: the repaint happened inside show_text.
  EXPECT_GT(ChangedInStatusBox(*s, picture), 20);
  const RECT right_half{300, 233, 446, 260};
  EXPECT_GT(CountNear(b, right_half, 0xFFFFFF, 0x10), 10) << "white text at the right";
  int changed_left = 0;
  for (int y = 233; y < 260; ++y)
    for (int x = 0; x < 150; ++x) changed_left += Rgb(b, x, y) != picture.Rgb(x, y) ? 1 : 0;
  EXPECT_EQ(changed_left, 0) << "a short text stays right-aligned";
  int changed_above = 0;
  for (int y = 0; y < 233; ++y)
    for (int x = 0; x < 450; x += 3) changed_above += Rgb(b, x, y) != picture.Rgb(x, y) ? 1 : 0;
  EXPECT_EQ(changed_above, 0) << "nothing drawn above the status box";
  // The screen shows the buffer. Wine copies a window's drawing to the X
  // server when its thread next looks for messages (or 50 ms after the last
  // copy): look once, dispatching nothing.
  MSG none;
  ::PeekMessageW(&none, nullptr, 0, 0, PM_NOREMOVE);
  HDC screen = ::GetDC(nullptr);
  const RECT r = WindowRect(s->hwnd());
  EXPECT_EQ(::GetPixel(screen, r.left + 225, r.top + 130) & 0xFFFFFF,
            RGB((picture.Rgb(225, 130) >> 16) & 0xFF, (picture.Rgb(225, 130) >> 8) & 0xFF, picture.Rgb(225, 130) & 0xFF));
  ::ReleaseDC(nullptr, screen);
}

TEST_F(Splash, WithoutItsPictureTheSplashShowsOnlyItsStatusLine) {
  const std::u16string image = Resource(u"splash\\default");
  const std::u16string aside = image + u".aside";
  ASSERT_TRUE(::MoveFileW(wide(image), wide(aside)));
  splash_window_impl splash;
  splash.show_text(u"first status text");
  splash.show_text(u"x");
  ::MoveFileW(wide(aside), wide(image));
  SplashWindow* s = SplashWindow::instance();
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->has_image());
  const dui::BackBuffer& b = s->back_buffer();
  EXPECT_EQ(Rgb(b, 225, 130), 0u) << "a black ground";
  const RECT box = SplashWindow::kStatusBox;
  const int white = CountNear(b, box, 0xFFFFFF, 0x40);
  EXPECT_GT(white, 0);
  EXPECT_LT(white, 60) << "one short character, not the earlier text under it";
}

TEST_F(Splash, TheSplashOutlivesTheToolkit) {
  dui::Shutdown();
  splash_window_impl splash;
  splash.show_text(u"client running");
  ASSERT_NE(SplashWindow::instance(), nullptr);
  EXPECT_TRUE(SplashWindow::instance()->has_image());
  EXPECT_TRUE(::IsWindowVisible(SplashWindow::instance()->hwnd()));
  splash.hide(true);
  EXPECT_EQ(SplashWindow::instance(), nullptr);
  ASSERT_TRUE(dui::Initialize(std::u16string(u"launcher_windows_test")));  // for TearDown
}

}  // namespace
}  // namespace vcam::launcher::wintest
