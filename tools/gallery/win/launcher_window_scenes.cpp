#include "tools/gallery/win/launcher_window_scenes.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "common/text_utf.h"
#include "launcher/windows/alert_window.h"
#include "launcher/windows/progress_window.h"
#include "launcher/windows/shadow_margins.h"
#include "launcher/windows/splash_window.h"
#include "tools/gallery/win/picture_file.h"

namespace vcam::gallery {
namespace {

constexpr DWORD kDialogExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

void pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

std::optional<RgbaPicture> picture_of(const dui::BackBuffer& buffer, bool layered) {
  if (!buffer.valid()) return std::nullopt;
  std::vector<std::uint32_t> words;
  words.reserve(static_cast<std::size_t>(buffer.width()) * buffer.height());
  for (std::int32_t y = 0; y < buffer.height(); ++y)
    for (std::int32_t x = 0; x < buffer.width(); ++x) words.push_back(buffer.Pixel(x, y));
  return picture_from_window_pixels(words, buffer.width(), buffer.height(), layered);
}

class LauncherScenes {
 public:
  LauncherScenes(const std::u16string& out, std::string& errors) : out_(out), errors_(errors) {}

  void splash() {
    launcher::SplashWindow::show_text(u"读取网络配置信息...");
    const launcher::SplashWindow* splash = launcher::SplashWindow::instance();
    if (!splash) return fail(u"launcher_splash", "the splash window could not be made");
    if (!splash->has_image()) fail(u"launcher_splash", "no picture at resource\\splash\\default beside the gallery");
    save(u"launcher_splash", picture_of(splash->back_buffer(), false));
    launcher::SplashWindow::hide(true);
  }

  void progress() {
    auto* w = new launcher::progress_window(L"正在更新解码器 (3/8)...", 8u << 20);
    if (!w->Create(kDialogExStyle, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete w;
      return fail(u"launcher_progress", "the progress window could not be made");
    }
    w->set_progress(3u << 20);
    shoot(u"launcher_progress_37_5", *w);
  }

  void alerts() {
    launcher::alert_request request;
    request.title = L"程序版本6.0.0.5";
    request.message = L"检测到新版本，是否立即更新？";
    request.confirm_text = L"立即更新";
    request.cancel_text = L"以后再说";
    request.two_buttons = false;
    alert(u"launcher_alert_one_button", request, {});
    request.two_buttons = true;
    alert(u"launcher_alert_two_buttons", request, {});
    request.message = L"发现新版本 6.0.1.0";
    alert(u"launcher_alert_with_notes", request,
          {L"1. 修复了部分摄像头画面偶尔黑屏的问题", L"2. 启动速度更快", L"3. Decoders update in the background"});
  }

  int failures() const { return failures_; }

 private:
  void alert(const char16_t* name, const launcher::alert_request& request, const std::vector<std::wstring>& lines) {
    auto* w = new launcher::alert_window(request);
    if (!w->Create(kDialogExStyle, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      delete w;
      return fail(name, "the alert window could not be made");
    }
    if (!lines.empty()) w->add_lines(lines);
    shoot(name, *w);
  }

  // The dialog shown without activation, painted, drawn over its shadow at
  // the shadow's margins, and destroyed.
  void shoot(const char16_t* name, launcher::shadowed_window& dialog) {
    const HWND hwnd = dialog.hwnd();
    ::SetWindowPos(hwnd, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pump();
    std::optional<RgbaPicture> picture = picture_of(dialog.back_buffer(), false);
    auto* proxy = dynamic_cast<dui::WindowImpl*>(dui::WindowBase::FromHandle(dialog.shadow()));
    std::optional<RgbaPicture> shadow = proxy ? picture_of(proxy->back_buffer(), true) : std::nullopt;
    if (picture && shadow) {
      draw_over(*shadow, *picture, launcher::shadow_margins::left, launcher::shadow_margins::top);
      picture = std::move(shadow);
    } else if (picture) {
      fail(name, "the dialog has no painted shadow");
    }
    save(name, std::move(picture));
    ::DestroyWindow(hwnd);
    pump();
  }

  void save(const std::u16string& name, std::optional<RgbaPicture> picture) {
    if (!picture) return fail(name, "the window has no back buffer");
    const std::u16string path = out_ + u"\\" + name + u".png";
    if (!write_picture(path, *picture)) fail(name, "cannot write " + utf16_to_utf8(path));
  }

  void fail(const std::u16string& what, const std::string& why) {
    ++failures_;
    errors_ += utf16_to_utf8(what) + ": " + why + "\n";
  }

  std::u16string out_;
  std::string& errors_;
  int failures_ = 0;
};

}  // namespace

int render_launcher_windows(const std::u16string& out_folder, std::string& errors) {
  LauncherScenes scenes(out_folder, errors);
  scenes.splash();
  scenes.progress();
  scenes.alerts();
  return scenes.failures();
}

}  // namespace vcam::gallery
