// The window host's input side: mouse routing with capture and hover, keys to
// the focused control, and the focus and capture bookkeeping.
#include <windows.h>
#include <windowsx.h>

#include "dui/core/attribute_names.h"
#include "dui/core/panel.h"
#include "dui/win/window_impl.h"

namespace vcam::dui {

namespace {

// Raises an input event with the message's parameters; true when handled.
bool Raise(Control* c, std::int32_t kind, Routing routing, WPARAM wparam = 0, LPARAM lparam = 0) {
  EventArgs args{kind, routing, static_cast<std::intptr_t>(wparam), static_cast<std::intptr_t>(lparam), 0};
  c->RaiseEvent(args);
  return args.handled != 0;
}

Point PointOf(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

// `c` is `ancestor` or lies inside it.
bool IsWithin(const Control* c, const Control* ancestor) {
  for (const Control* p = c; p; p = p->parent())
    if (p == ancestor) return true;
  return false;
}

bool Enabled(const Control* c) { return c && c->IsLive() && c->HasFlag(ControlFlags::Enabled); }

}  // namespace

Control* WindowImpl::HitTest(Point client) const {
  if (!root_ || !root_->IsLive()) return nullptr;
  return root_->HitTest(client.x - root_->rect().left, client.y - root_->rect().top);
}

Point WindowImpl::CursorClient() const {
  POINT p{};
  ::GetCursorPos(&p);
  if (hwnd_) ::ScreenToClient(hwnd_, &p);
  return {p.x, p.y};
}

Point WindowImpl::CursorPosition() { return CursorClient(); }

void WindowImpl::PostMouseMoveAtCursor() {
  if (!hwnd_) return;
  const Point p = CursorClient();
  ::PostMessageW(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void WindowImpl::Redraw(Control* c) {
  if (c && c->HasFlag(ControlFlags::RedrawOnState)) Invalidate(c, false);
}

LRESULT WindowImpl::OnSetCursor(WPARAM wparam, LPARAM lparam) {
  Control* c = HitTest(CursorClient());
  if (c && Raise(c, EventKind::SetCursor, Routing::Direct, wparam, lparam)) return TRUE;
  return ::DefWindowProcW(hwnd_, WM_SETCURSOR, wparam, lparam);
}

void WindowImpl::OnMouseMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(wparam, lparam);
      break;
    case WM_LBUTTONDOWN:
      OnLButtonDown(wparam, lparam);
      break;
    case WM_LBUTTONUP:
      OnLButtonUp(wparam, lparam);
      break;
    case WM_RBUTTONDOWN:
      OnRButtonDown(wparam, lparam);
      break;
    case WM_RBUTTONUP:
      OnRButtonUp(wparam, lparam);
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      OnDoubleClick(message, wparam, lparam);
      break;
    case WM_MOUSEWHEEL:
      OnMouseWheel(wparam, lparam);
      break;
    case WM_MOUSEHOVER:
      OnMouseHover(wparam, lparam);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      break;
    default:
      break;
  }
}

void WindowImpl::FocusWindowFor(LPARAM lparam) {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const Point p = PointOf(lparam);
  const POINT pt{p.x, p.y};
  if (::PtInRect(&client, pt) && ::GetFocus() != hwnd_) ::SetFocus(hwnd_);
}

void WindowImpl::OnLButtonDown(WPARAM wparam, LPARAM lparam) {
  HideTooltip();
  FocusWindowFor(lparam);
  Control* c = HitTest(PointOf(lparam));
  if (!Enabled(c)) return;
  Redraw(c);
  const HWND hwnd = hwnd_;
  if (Raise(c, EventKind::PreviewLButtonDown, Routing::Tunnel, wparam, lparam)) return;
  if (!StillAlive(hwnd) || !c->IsLive()) return;
  if (c->HasFlag(ControlFlags::Focusable))
    SetFocusedControl(c);
  else if (c != focused_)
    SetFocusedControl(nullptr);
  if (c->HasFlag(ControlFlags::CaptureOnPress)) CaptureControl(c);
  Raise(c, EventKind::LButtonDown, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnLButtonUp(WPARAM wparam, LPARAM lparam) {
  const HWND hwnd = hwnd_;
  if (Control* c = captured_) {
    Redraw(c);
    Raise(c, EventKind::LButtonUp, Routing::Direct, wparam, lparam);
    if (!StillAlive(hwnd)) return;
    // Windows answers with WM_CAPTURECHANGED, which clears Pressed and raises
    // LostCapture; ReleaseControlCapture covers a capture Windows no longer held.
    ReleaseControlCapture();
    if (!StillAlive(hwnd)) return;
    OnMouseMove(wparam, lparam);
    return;
  }
  Control* c = HitTest(PointOf(lparam));
  if (!Enabled(c)) return;
  Redraw(c);
  if (!Raise(c, EventKind::PreviewLButtonUp, Routing::Tunnel, wparam, lparam))
    Raise(c, EventKind::LButtonUp, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnRButtonDown(WPARAM wparam, LPARAM lparam) {
  HideTooltip();
  FocusWindowFor(lparam);
  Control* c = HitTest(PointOf(lparam));
  if (focused_ && focused_ != c) {
    Control* lost = focused_;
    focused_ = nullptr;
    last_focused_ = nullptr;
    lost->SetFlag(ControlFlags::Focused, false);
    Raise(lost, EventKind::LostFocus, Routing::Direct);
  }
  if (!Enabled(c)) return;
  Redraw(c);
  if (!Raise(c, EventKind::PreviewRButtonDown, Routing::Tunnel, wparam, lparam))
    Raise(c, EventKind::RButtonDown, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnRButtonUp(WPARAM wparam, LPARAM lparam) {
  Control* c = HitTest(PointOf(lparam));
  if (!Enabled(c)) return;
  Redraw(c);
  if (!Raise(c, EventKind::PreviewRButtonUp, Routing::Tunnel, wparam, lparam))
    Raise(c, EventKind::RButtonUp, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnDoubleClick(UINT message, WPARAM wparam, LPARAM lparam) {
  const bool left = message == WM_LBUTTONDBLCLK;
  Control* c = HitTest(PointOf(lparam));
  if (Enabled(c) && c->HasFlag(ControlFlags::WantDoubleClick)) {
    Raise(c, left ? EventKind::LButtonDbClick : EventKind::RButtonDbClick, Routing::Direct, wparam, lparam);
    return;
  }
  if (left)
    OnLButtonDown(wparam, lparam);
  else
    OnRButtonDown(wparam, lparam);
}

void WindowImpl::OnMouseWheel(WPARAM wparam, LPARAM lparam) {
  Control* c = HitTest(CursorClient());
  if (Enabled(c)) Raise(c, EventKind::MouseWheel, Routing::Bubble, wparam, lparam);
}

void WindowImpl::TrackMouse() {
  if (tracking_ || !hwnd_) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_HOVER | TME_LEAVE;
  track.hwndTrack = hwnd_;
  track.dwHoverTime = 500;
  tracking_ = ::TrackMouseEvent(&track) != FALSE;
}

void WindowImpl::ChangeHover(Control* leaf, WPARAM wparam, LPARAM lparam) {
  const HoverChain next(leaf);
  const HoverChange change = DiffHoverChains(hover_, next);
  for (Control* c : change.leaving) {
    if (!c->IsLive()) continue;
    Redraw(c);
    c->SetFlag(ControlFlags::Hover, false);
    Raise(c, EventKind::MouseLeave, Routing::Direct, wparam, lparam);
  }
  hover_ = next;
  hovered_ = leaf;
  for (Control* c : change.entering) {
    if (!c->IsLive()) continue;
    Redraw(c);
    c->SetFlag(ControlFlags::Hover, true);
    Raise(c, EventKind::MouseEnter, Routing::Direct, wparam, lparam);
  }
}

void WindowImpl::OnMouseMove(WPARAM wparam, LPARAM lparam) {
  TrackMouse();
  if (captured_) {
    Raise(captured_, EventKind::MouseMove, Routing::Direct, wparam, lparam);
    return;
  }
  Control* c = HitTest(PointOf(lparam));
  if (c != hovered_) {
    HideTooltip();
    ChangeHover(c, wparam, lparam);
  }
  if (Enabled(c)) Raise(c, EventKind::MouseMove, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnMouseHover(WPARAM wparam, LPARAM lparam) {
  tracking_ = false;
  TrackMouse();
  if (captured_) return;
  Control* c = HitTest(PointOf(lparam));
  if (!c) return;
  if (const std::u16string* tip = c->FindString(attr::tooltip); tip && !tip->empty())
    ShowTooltip(*tip);
  else
    Raise(c, EventKind::MouseHover, Routing::Direct, wparam, lparam);
}

void WindowImpl::OnMouseLeave() {
  HideTooltip();
  tracking_ = false;
  const HoverChain old = hover_;
  hover_.Clear();
  hovered_ = nullptr;
  for (std::size_t i = 0; i < old.size(); ++i) {
    Control* c = old[i];
    if (!c->IsLive()) continue;
    Redraw(c);
    c->SetFlag(ControlFlags::Hover, false);
    Raise(c, EventKind::MouseLeave, Routing::Direct);
  }
}

void WindowImpl::OnKey(UINT message, WPARAM wparam, LPARAM lparam) {
  Control* c = focused_;
  if (!c || !c->IsLive()) return;
  std::int32_t preview = EventKind::PreviewKeyDown;
  if (message == WM_KEYUP) preview = EventKind::PreviewKeyUp;
  if (message == WM_CHAR) preview = EventKind::PreviewKeyPress;
  if (!Raise(c, preview, Routing::Tunnel, wparam, lparam)) Raise(c, preview + 1, Routing::Bubble, wparam, lparam);
}

void WindowImpl::OnKillFocus() {
  Control* c = focused_;
  if (!c) return;
  focused_ = nullptr;
  last_focused_ = c;
  c->SetFlag(ControlFlags::Focused, false);
  Raise(c, EventKind::LostFocus, Routing::Direct);
}

void WindowImpl::OnCaptureChanged() {
  Control* c = captured_;
  if (!c) return;
  captured_ = nullptr;
  Invalidate(c, false);
  c->SetFlag(ControlFlags::Pressed, false);
  Raise(c, EventKind::LostCapture, Routing::Direct);
}

void WindowImpl::SetFocusedControl(Control* control) {
  if (control == focused_) return;
  if (control && !control->IsLive()) control = nullptr;
  last_focused_ = nullptr;
  if (Control* old = focused_) {
    focused_ = nullptr;
    old->SetFlag(ControlFlags::Focused, false);
    Raise(old, EventKind::LostFocus, Routing::Direct);
  }
  if (!control || !control->IsLive()) return;
  if (hwnd_ && ::GetFocus() != hwnd_) ::SetFocus(hwnd_);
  focused_ = control;
  control->SetFlag(ControlFlags::Focused, true);
  Raise(control, EventKind::GotFocus, Routing::Direct);
}

void WindowImpl::CaptureControl(Control* control) {
  if (!control || !control->IsLive() || control == captured_) return;
  // Another control held it: it loses the capture first, so that Pressed and
  // LostCapture stay paired.
  if (Control* old = captured_) {
    captured_ = nullptr;
    old->SetFlag(ControlFlags::Pressed, false);
    Raise(old, EventKind::LostCapture, Routing::Direct);
  }
  if (hwnd_) ::SetCapture(hwnd_);
  captured_ = control;
  control->SetFlag(ControlFlags::Pressed, true);
  Raise(control, EventKind::GotCapture, Routing::Direct);
}

void WindowImpl::ReleaseControlCapture() {
  if (hwnd_ && ::GetCapture() == hwnd_) ::ReleaseCapture();
  if (Control* c = captured_) {
    captured_ = nullptr;
    c->SetFlag(ControlFlags::Pressed, false);
    Raise(c, EventKind::LostCapture, Routing::Direct);
  }
}

void WindowImpl::ControlRemoved(Control* control) {
  if (!control) return;
  // A captured control inside the subtree releases the capture whether or not
  // it still shows Pressed: the window must not keep a pointer to it.
  if (captured_ && IsWithin(captured_, control)) ReleaseControlCapture();
  if (focused_ && IsWithin(focused_, control)) {
    Control* lost = focused_;
    focused_ = nullptr;
    last_focused_ = nullptr;
    lost->SetFlag(ControlFlags::Focused, false);
    Raise(lost, EventKind::LostFocus, Routing::Direct);
  }
  if (last_focused_ && IsWithin(last_focused_, control)) last_focused_ = nullptr;
  // The chain is compared by pointer, so it is cleaned even when the hovered
  // control was already cleared.
  if (hover_.Holds(control) || (hovered_ && IsWithin(hovered_, control))) {
    HideTooltip();
    ChangeHover(control->parent(), 0, 0);
    hovered_ = nullptr;
    PostMouseMoveAtCursor();
  }
}

}  // namespace vcam::dui
