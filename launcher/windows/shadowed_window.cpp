#include "launcher/windows/shadowed_window.h"

#include "dui/runtime/ui_runtime.h"
#include "launcher/windows/shadow_margins.h"
#include "launcher/windows/shadowed_proxy_window.h"

namespace vcam::launcher {

namespace {

UINT repaint_message() {
  const dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  return runtime ? runtime->profile().repaint_message : dui::UiProfile::Launcher().repaint_message;
}

dui::Rect shadow_rect_of(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return shadow_rect_for({r.left, r.top, r.right, r.bottom});
}

}  // namespace

void shadowed_window::create_shadow() {
  dui::WindowImpl::WindowProc(WM_CREATE, 0, 0);
  const dui::Rect r = shadow_rect_of(hwnd_);
  auto* proxy = new shadowed_proxy_window();
  const DWORD style = WS_POPUP | (::IsWindowVisible(hwnd_) ? WS_VISIBLE : 0);
  if (!proxy->Create(WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW, style, r.left, r.top, r.width(), r.height(), hwnd_)) {
    delete proxy;
    return;
  }
  shadow_ = proxy->hwnd();
  place_shadow();
}

void shadowed_window::place_shadow() {
  if (!shadow_ || !::IsWindow(shadow_)) return;
  const dui::Rect r = shadow_rect_of(hwnd_);
  ::SetWindowPos(shadow_, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOACTIVATE | SWP_NOZORDER);
  ::PostMessageW(shadow_, repaint_message(), 0, 0);
}

LRESULT shadowed_window::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      create_shadow();
      return 0;
    case WM_MOVE:
      place_shadow();
      return 0;
    case WM_SIZE:
      place_shadow();
      // The host's own resize work, which it skips for a minimised window.
      return dui::WindowImpl::WindowProc(message, wparam, lparam);
    case WM_SHOWWINDOW:
      if (shadow_ && ::IsWindow(shadow_)) ::ShowWindow(shadow_, wparam ? SW_SHOWNOACTIVATE : SW_HIDE);
      // The host then moves or clears hover for the cursor and lets the system show the window.
      return dui::WindowImpl::WindowProc(message, wparam, lparam);
    default:
      return dui::WindowImpl::WindowProc(message, wparam, lparam);
  }
}

}  // namespace vcam::launcher
