#include "dui/win/win_platform.h"

#include <exdisp.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "common/win/wide.h"
#include "dui/runtime/runtime_lock.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/alpha_blend.h"
#include "dui/win/clipboard_text.h"
#include "dui/win/combo_helper_wnd.h"
#include "dui/win/dib_texture.h"
#include "dui/win/gdi_font_measurer.h"
#include "dui/win/scroll_timer.h"
#include "dui/win/win_browser_view.h"

namespace vcam::dui {

namespace {

LRESULT CALLBACK DispatcherProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const UiRuntime* runtime = UiRuntime::Instance();
  if (runtime && message == runtime->profile().dispatch_message) {
    RunPostedCall(reinterpret_cast<PostedCall*>(wparam));
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

WinPlatform::~WinPlatform() {
  if (HWND hwnd = dispatcher_.exchange(nullptr)) ::DestroyWindow(hwnd);
  if (measure_dc_) ::DeleteDC(measure_dc_);
}

bool WinPlatform::Start(UiRuntime& runtime) {
  AlphaBlendEntry();  // chosen once, before anything is drawn
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const std::u16string class_name = runtime.profile().dispatcher_class.empty()
                                        ? runtime.application_name() + u"_Dispatcher"
                                        : runtime.profile().dispatcher_class;
  dispatch_message_ = runtime.profile().dispatch_message;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &DispatcherProc;
  wc.hInstance = instance;
  wc.lpszClassName = wide(class_name);
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  runtime.window_classes().push_back(class_name);
  HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, wide(class_name), nullptr, WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, instance, nullptr);
  dispatcher_.store(hwnd);
  return hwnd != nullptr;
}

void WinPlatform::Stop(UiRuntime& runtime) {
  // 1. Refuse further posts, so that none is lost with the window.
  HWND hwnd = nullptr;
  {
    RuntimeLock lock;
    hwnd = dispatcher_.exchange(nullptr);
  }
  // 2. Run what was posted before, then destroy the window.
  if (hwnd) {
    MSG msg;
    while (::PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::DestroyWindow(hwnd);
  }
  // 3. Unregister every class the toolkit registered.
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  for (const std::u16string& name : runtime.window_classes()) ::UnregisterClassW(wide(name), instance);
  runtime.window_classes().clear();
}

bool WinPlatform::Post(PostedCall* call) {
  HWND hwnd = dispatcher_.load();
  return hwnd && ::PostMessageW(hwnd, dispatch_message_, reinterpret_cast<WPARAM>(call), 0);
}

FontHandle WinPlatform::CreateSkinFont(const FontDefinition& font) {
  LOGFONTW lf{};
  if (!::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return nullptr;
  if (font.face) {
    const std::size_t n = std::min<std::size_t>(font.face->size(), LF_FACESIZE - 1);
    std::wmemcpy(lf.lfFaceName, wide(*font.face), n);
    lf.lfFaceName[n] = L'\0';
  }
  if (font.height) lf.lfHeight = *font.height;
  if (font.weight) lf.lfWeight = *font.weight;
  if (font.underline) lf.lfUnderline = *font.underline ? TRUE : FALSE;
  return ::CreateFontIndirectW(&lf);
}

void WinPlatform::DeleteSkinFont(FontHandle font) {
  if (font) ::DeleteObject(static_cast<HFONT>(font));
}

HDC WinPlatform::MeasureDc() {
  if (!measure_dc_) measure_dc_ = ::CreateCompatibleDC(nullptr);
  return measure_dc_;
}

Size WinPlatform::MeasureText(FontHandle font, std::u16string_view text, std::uint32_t format) {
  HDC dc = MeasureDc();
  if (!dc) return {};
  HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, 0, 0};
  const std::wstring copy(text.begin(), text.end());
  ::DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &r, format | DT_CALCRECT);
  ::SelectObject(dc, old);
  return {r.right - r.left, r.bottom - r.top};
}

std::int32_t WinPlatform::FontHeight(FontHandle font) {
  HDC dc = MeasureDc();
  if (!dc) return 0;
  HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  const bool ok = ::GetTextMetricsW(dc, &tm);
  ::SelectObject(dc, old);
  return ok ? tm.tmAscent + tm.tmDescent : 0;
}

std::unique_ptr<Texture> WinPlatform::CreateTexture(std::int32_t width, std::int32_t height) {
  return DibTexture::Create(width, height);
}

void WinPlatform::SendSystemCommand(void* native_window, std::uint32_t command) {
  if (native_window) ::SendMessageW(static_cast<HWND>(native_window), WM_SYSCOMMAND, command, 0);
}

void WinPlatform::LayoutPackFailed() {
  ::MessageBoxW(nullptr, L"LoadResource Fail", L"Alert", MB_TOPMOST);
  std::abort();
}

std::unique_ptr<BrowserView> WinPlatform::CreateBrowserView(void* native_window, BrowserEvents& events) {
  return WinBrowserView::Create(static_cast<HWND>(native_window), events, CLSID_WebBrowser);
}

std::unique_ptr<FontMeasurer> WinPlatform::CreateFontMeasurer(FontHandle font) {
  return std::make_unique<GdiFontMeasurer>(static_cast<HFONT>(font));
}

bool WinPlatform::ReadClipboardText(void* owner, std::u16string& text) {
  return dui::ReadClipboardText(static_cast<HWND>(owner), text);
}

bool WinPlatform::WriteClipboardText(void* owner, std::u16string_view text) {
  return dui::WriteClipboardText(static_cast<HWND>(owner), text);
}

std::unique_ptr<RepeatClock> WinPlatform::CreateScrollTimer(ScrollBar& bar) {
  return std::make_unique<ScrollTimer>(bar);
}

ComboPopup* WinPlatform::CreateComboPopup(ComboBox& owner) { return ComboHelperWnd::Create(owner); }

void WinPlatform::DebugMessage(std::u16string_view text) {
  const std::wstring line(text.begin(), text.end());
  ::OutputDebugStringW(line.c_str());
}

}  // namespace vcam::dui
