#pragma once
// What the window host's tests share: a runtime per test, windows opened from
// layout text and placed on the screen, mouse and key input sent to them, and
// a log of the events that reach chosen controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/core/painter.h"
#include "dui/testing/layout_text.h"
#include "dui/win/ui_runtime_win.h"
#include "dui/win/window_impl.h"

namespace vcam::dui::wintest {

using Log = std::vector<std::string>;

inline void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// Runs messages until `done` or `limit_ms` passed; whether `done` came true.
// For real timers only: the wait ends as soon as the event is seen.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms = 5000) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > limit_ms) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

inline const char* EventName(std::int32_t kind) {
  switch (kind) {
    case EventKind::Detached: return "Detached";
    case EventKind::GotFocus: return "GotFocus";
    case EventKind::LostFocus: return "LostFocus";
    case EventKind::PreviewKeyDown: return "PreviewKeyDown";
    case EventKind::KeyDown: return "KeyDown";
    case EventKind::PreviewKeyUp: return "PreviewKeyUp";
    case EventKind::KeyUp: return "KeyUp";
    case EventKind::PreviewKeyPress: return "PreviewKeyPress";
    case EventKind::KeyPress: return "KeyPress";
    case EventKind::GotCapture: return "GotCapture";
    case EventKind::LostCapture: return "LostCapture";
    case EventKind::PreviewLButtonDown: return "PreviewLButtonDown";
    case EventKind::LButtonDown: return "LButtonDown";
    case EventKind::PreviewLButtonUp: return "PreviewLButtonUp";
    case EventKind::LButtonUp: return "LButtonUp";
    case EventKind::PreviewRButtonDown: return "PreviewRButtonDown";
    case EventKind::RButtonDown: return "RButtonDown";
    case EventKind::LButtonDbClick: return "LButtonDbClick";
    case EventKind::MouseWheel: return "MouseWheel";
    case EventKind::MouseMove: return "MouseMove";
    case EventKind::MouseEnter: return "MouseEnter";
    case EventKind::MouseLeave: return "MouseLeave";
    case EventKind::MouseHover: return "MouseHover";
    case EventKind::SetCursor: return "SetCursor";
    case EventKind::DragEnter: return "DragEnter";
    case EventKind::DragOver: return "DragOver";
    case EventKind::DragLeave: return "DragLeave";
    case EventKind::Drop: return "Drop";
    default: return "?";
  }
}

// Records "<name> <event>" for the watched kinds; a watch may mark the event handled.
class EventLog {
 public:
  void Watch(Control* c, const std::string& name, std::initializer_list<std::int32_t> kinds,
             bool set_handled = false) {
    for (std::int32_t kind : kinds) {
      entries_.push_back(std::make_unique<Entry>(Entry{this, name, set_handled}));
      c->AddHandler(kind, entries_.back().get(), &Run);
    }
  }
  Log lines;

 private:
  struct Entry {
    EventLog* log;
    std::string name;
    bool set_handled;
  };
  static void Run(void* context, Control*, EventArgs& args) {
    auto* e = static_cast<Entry*>(context);
    e->log->lines.push_back(e->name + " " + EventName(args.kind));
    if (e->set_handled) args.handled = 1;
  }
  std::vector<std::unique_ptr<Entry>> entries_;
};

// A control that fills its rect with one colour (a COLORREF) and counts its paints.
class FilledControl : public Control {
 public:
  explicit FilledControl(std::uint32_t colour) : colour_(colour) {}
  void Paint(Painter& painter, const Rect& rect, const Rect&) override {
    ++paints;
    painter.FillRect(rect, colour_);
  }
  int paints = 0;

 private:
  std::uint32_t colour_;
};

class HostTest : public ::testing::Test {
 protected:
  static constexpr int kLeft = 100;
  static constexpr int kTop = 100;

  void SetUp() override {
    ASSERT_TRUE(Initialize(std::u16string(u"dui_window_host_test")));
    ParkCursor();
  }
  void TearDown() override {
    for (HWND h : opened_)
      if (::IsWindow(h)) ::DestroyWindow(h);
    Pump();
    Shutdown();
  }

  // The cursor away from every test window, so that Windows sees no hover.
  static void ParkCursor() { ::SetCursorPos(1200, 1000); }

  // Creates `window` (made with new) with the tree of `layout` as the
  // framework's application windows are created, at (kLeft, kTop), shown.
  WindowImpl* Open(std::string_view layout, WindowImpl* window = nullptr, bool show = true) {
    return OpenTree(testing::BuildTree(layout), window, show);
  }
  WindowImpl* OpenTree(std::unique_ptr<Control> root, WindowImpl* window = nullptr, bool show = true) {
    if (!window) window = new WindowImpl;
    window->SetRoot(std::move(root));
    if (!window->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
      ADD_FAILURE() << "Create failed";
      delete window;
      return nullptr;
    }
    opened_.push_back(window->hwnd());
    ::SetWindowPos(window->hwnd(), nullptr, kLeft, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Not activated: Wine without a window manager waits 2 s for an active
    // (managed) window to be withdrawn when it is hidden or destroyed.
    if (show) ::ShowWindow(window->hwnd(), SW_SHOWNOACTIVATE);
    Pump();
    return window;
  }

  // Mouse input at a client point: the real cursor goes there too, so that
  // hit tests at the cursor and Windows' own mouse tracking agree.
  static void Send(WindowImpl* w, UINT message, int x, int y, WPARAM keys = 0) {
    POINT p{x, y};
    ::ClientToScreen(w->hwnd(), &p);
    ::SetCursorPos(p.x, p.y);
    ::SendMessageW(w->hwnd(), message, keys, MAKELPARAM(x, y));
  }
  static void Move(WindowImpl* w, int x, int y) { Send(w, WM_MOUSEMOVE, x, y); }
  static void LeftDown(WindowImpl* w, int x, int y) { Send(w, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  static void LeftUp(WindowImpl* w, int x, int y) { Send(w, WM_LBUTTONUP, x, y); }
  static void RightDown(WindowImpl* w, int x, int y) { Send(w, WM_RBUTTONDOWN, x, y, MK_RBUTTON); }

  std::vector<HWND> opened_;
};

}  // namespace vcam::dui::wintest
