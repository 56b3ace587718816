#include "launcher/windows/splash_window.h"

#include <cwchar>

#include "common/win/folders.h"
#include "common/win/wide.h"
#include "dui/skin/label_text.h"
#include "dui/skin/texture_drawing.h"
#include "dui/win/gdi_painter.h"
#include "dui/win/texture_file.h"
#include "dui/window/screen_placement.h"

namespace vcam::launcher {

namespace {

// UI thread only, like the window.
SplashWindow* g_splash = nullptr;

// Its own class: the toolkit's class goes when the toolkit shuts down, the splash stays.
constexpr wchar_t kClassName[] = L"zelovcam_launcher_splash";
constexpr wchar_t kStatusFace[] = L"新宋体";
constexpr LONG kStatusHeight = 12;

bool register_class() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, kClassName, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &dui::WindowBase::SharedWindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return ::RegisterClassExW(&wc) != 0;
}

HFONT make_status_font() {
  LOGFONTW font{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  ::wcsncpy(font.lfFaceName, kStatusFace, LF_FACESIZE - 1);
  font.lfFaceName[LF_FACESIZE - 1] = L'\0';
  font.lfHeight = kStatusHeight;
  return ::CreateFontIndirectW(&font);
}

}  // namespace

SplashWindow::SplashWindow()
    : image_(dui::LoadTextureFile(application_folder() + u"resource\\splash\\default")), font_(make_status_font()) {
  buffer_.Resize(kWidth, kHeight);
  g_splash = this;
}

SplashWindow::~SplashWindow() {
  if (g_splash == this) g_splash = nullptr;
}

SplashWindow* SplashWindow::instance() { return g_splash; }

SplashWindow* SplashWindow::create() {
  if (!register_class()) return nullptr;
  auto* splash = new SplashWindow();
  const HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, nullptr, WS_POPUP, 0, 0, kWidth,
                                      kHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    delete splash;
    return nullptr;
  }
  splash->Adopt(hwnd);
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  const dui::Point at = dui::CenteredOrigin({::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
                                            {r.right - r.left, r.bottom - r.top});
  ::SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return splash;
}

void SplashWindow::show_text(std::u16string_view text) {
  SplashWindow* splash = g_splash ? g_splash : create();
  if (!splash) return;
  const HWND hwnd = splash->hwnd();
  if (!::IsWindowVisible(hwnd)) ::ShowWindow(hwnd, SW_SHOWNORMAL);
  splash->text_.assign(text);
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::UpdateWindow(hwnd);
}

void SplashWindow::hide(bool destroy) {
  if (!g_splash) return;
  const HWND hwnd = g_splash->hwnd();
  ::ShowWindow(hwnd, SW_HIDE);
  // WM_DESTROY deletes the object, which forgets the splash.
  if (destroy) ::DestroyWindow(hwnd);
}

LRESULT SplashWindow::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    paint();
    return 0;
  }
  // WM_DESTROY: the debugger line and the object deleted; the rest: the system's.
  return dui::WindowBase::WindowProc(message, wparam, lparam);
}

void SplashWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  if (buffer_.valid()) {
    dui::GdiPainter painter(buffer_.dc(), false);
    // Cleared first: without the picture (or with a smaller one) the old
    // status text would otherwise stay under the new one.
    painter.FillRect({0, 0, kWidth, kHeight}, 0);
    if (image_) dui::DrawNatural(painter, *image_, 0, 0);
    const dui::Rect box{kStatusBox.left, kStatusBox.top, kStatusBox.right, kStatusBox.bottom};
    dui::DrawLabelText(painter, box, text_, font_.get(), kStatusColour, kStatusFormat, false);
    ::BitBlt(dc, 0, 0, kWidth, kHeight, buffer_.dc(), 0, 0, SRCCOPY);
  }
  ::EndPaint(hwnd_, &ps);
}

}  // namespace vcam::launcher
