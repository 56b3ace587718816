#include "tools/gallery/win/window_snapshot.h"

#include <windows.h>

#include "dui/controls/title_bar.h"
#include "dui/core/control_flags.h"
#include "dui/win/window_impl.h"

namespace vcam::gallery {
namespace {

// Runs what the window has queued: repaint requests, posted clicks, timers.
void pump(DWORD milliseconds) {
  const DWORD until = ::GetTickCount() + milliseconds;
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(1);
  } while (static_cast<LONG>(until - ::GetTickCount()) > 0);
}

// The cursor goes to the screen's corner so that no window starts hovered.
void park_cursor() { ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1); }

// Moves the real cursor onto the control's centre and tells the window.
LPARAM point_at(dui::WindowImpl& window, HWND hwnd, const dui::Control& control) {
  const dui::Rect r = control.GetWindowRect();
  const dui::Point client{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const dui::Point screen = window.ClientToScreen(client);
  ::SetCursorPos(screen.x, screen.y);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  return at;
}

}  // namespace

Snapshot take_snapshot(std::unique_ptr<dui::Control> root, const SnapshotStates& states) {
  if (!root) return {std::nullopt, "no control tree"};
  park_cursor();
  // The window deletes its object when it is destroyed.
  auto* window = new dui::WindowImpl();
  window->set_layered(states.layered);
  window->SetRoot(std::move(root));
  if (!window->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
    delete window;
    return {std::nullopt, "the window could not be created"};
  }
  HWND hwnd = static_cast<HWND>(window->NativeHandle());
  if (states.size)
    ::SetWindowPos(hwnd, nullptr, 0, 0, states.size->cx, states.size->cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(hwnd, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  pump(20);
  if (states.prepare) states.prepare();

  std::string error;
  auto find = [&](std::int32_t id) -> dui::Control* {
    dui::Control* c = window->GetChild(id);
    if (!c && error.empty()) error = "no control has the id " + std::to_string(id);
    return c;
  };
  for (std::int32_t id : states.check)
    if (dui::Control* c = find(id)) {
      c->SetFlag(dui::ControlFlags::Checked, true);
      c->Invalidate(false);
    }
  for (std::int32_t id : states.disable)
    if (dui::Control* c = find(id)) c->SetEnabled(false);
  if (states.focus)
    if (dui::Control* c = find(*states.focus)) window->SetFocusedControl(c);
  if (states.hover)
    if (dui::Control* c = find(*states.hover)) point_at(*window, hwnd, *c);
  if (states.press)
    if (dui::Control* c = find(*states.press)) {
      // A pressed title bar runs the system's move loop until the real button
      // comes up, which it never does here.
      if (dynamic_cast<dui::TitleBar*>(c))
        error = "a title bar cannot be shown pressed: pressing it starts the window's move loop";
      else
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point_at(*window, hwnd, *c));
    }
  pump(20);

  Snapshot result;
  if (error.empty()) {
    // Everything is painted once more, so the picture does not depend on
    // which rectangles the states happened to invalidate.
    if (states.layered) {
      window->Invalidate(window->root(), true);
    } else {
      ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    const dui::BackBuffer& buffer = window->back_buffer();
    if (!buffer.valid()) {
      result.error = "the window has no back buffer (is its layout empty?)";
    } else {
      std::vector<std::uint32_t> words;
      words.reserve(static_cast<std::size_t>(buffer.width()) * buffer.height());
      for (std::int32_t y = 0; y < buffer.height(); ++y)
        for (std::int32_t x = 0; x < buffer.width(); ++x) words.push_back(buffer.Pixel(x, y));
      result.picture = picture_from_window_pixels(words, buffer.width(), buffer.height(), states.layered);
    }
  } else {
    result.error = error;
  }
  ::DestroyWindow(hwnd);
  park_cursor();
  pump(5);
  return result;
}

}  // namespace vcam::gallery
