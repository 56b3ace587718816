#include "dui/win/combo_helper_wnd.h"

#include <windowsx.h>

#include <memory>

#include "dui/controls/combo_box.h"
#include "dui/controls/list_box.h"
#include "dui/core/attribute_names.h"
#include "dui/layout/grid.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

constexpr DWORD kSlideMilliseconds = 100;

bool IsButtonDown(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

ComboHelperWnd* ComboHelperWnd::Create(ComboBox& owner) {
  auto* popup = new ComboHelperWnd(owner);
  const ControlHost* host = owner.window();
  const HWND owner_window = host ? static_cast<HWND>(host->NativeHandle()) : nullptr;
  if (!popup->WindowImpl::Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, owner_window)) {
    popup->owner_ = nullptr;  // no window: nothing to tell the combo box
    delete popup;
    return nullptr;
  }
  return popup;
}

ComboHelperWnd::ComboHelperWnd(ComboBox& owner) : owner_(&owner) {
  auto root = std::make_unique<Grid>();
  const UiRuntime* runtime = UiRuntime::Instance();
  root->SetString(attr::style, runtime ? runtime->profile().combo_dropped_style
                                       : UiProfile::Launcher().combo_dropped_style);
  auto list = std::make_unique<ListBox>();
  list->SetRect(attr::margin, {2, 2, 2, 2});
  list->SetValue(attr::itemHeight, ComboPlacement::kRowHeight);
  list_ = static_cast<ListBox*>(root->AddChild(std::move(list)));
  SetRoot(std::move(root));
}

ComboHelperWnd::~ComboHelperWnd() {
  if (owner_) owner_->PopupGone(this);
}

LRESULT ComboHelperWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // The list keeps its focus and the popup its looks while the loop decides
  // when to close.
  if (message == WM_ACTIVATE || message == WM_KILLFOCUS) return 0;
  return WindowImpl::WindowProc(message, wparam, lparam);
}

std::int32_t ComboHelperWnd::ScreenHeight() const { return ::GetSystemMetrics(SM_CYSCREEN); }

bool ComboHelperWnd::Alive(HWND hwnd) const { return ::IsWindow(hwnd) && WindowBase::FromHandle(hwnd) == this; }

void ComboHelperWnd::EndLoop() {
  end_ = true;
  if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void ComboHelperWnd::OwnerGone() {
  owner_ = nullptr;
  end_ = true;
  if (hwnd_) ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

bool ComboHelperWnd::Redirect(MSG& msg) const {
  const UINT m = msg.message;
  const bool client_mouse = m >= WM_MOUSEFIRST && m <= 0x209;
  const bool nonclient_mouse = m >= WM_NCMOUSEMOVE && m <= 0xA9;
  const bool key = m >= WM_KEYFIRST && m <= 0x107;
  if (!client_mouse && !nonclient_mouse && !key && m != WM_MOUSEWHEEL) return true;
  if (IsButtonDown(m)) {
    // Client points are relative to the receiving window, the others are on the screen.
    POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (client_mouse) ::ClientToScreen(msg.hwnd, &at);
    RECT popup{};
    ::GetWindowRect(hwnd_, &popup);
    if (!::PtInRect(&popup, at)) return false;
  }
  if (msg.hwnd == hwnd_) return true;
  if (client_mouse) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ::MapWindowPoints(msg.hwnd, hwnd_, &p, 1);
    msg.lParam = MAKELPARAM(p.x, p.y);
  }
  msg.hwnd = hwnd_;
  return true;
}

void ComboHelperWnd::Hide() {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  ::SendMessageW(hwnd_, WM_SHOWWINDOW, FALSE, 0);
}

bool ComboHelperWnd::Run(const ComboDropPlacement& placement) {
  const HWND hwnd = hwnd_;
  if (!Alive(hwnd) || running_) return false;
  // 2. The tree takes the popup's size before the window does.
  const Rect& at = placement.popup;
  if (Control* r = root()) {
    r->Measure(at.width(), at.height());
    r->Arrange(0, 0, at.width(), at.height());
  }
  // 3. Into place, sliding open.
  ::MoveWindow(hwnd, at.left, at.top, at.width(), at.height(), FALSE);
  const DWORD direction = placement.below ? AW_VER_POSITIVE : AW_VER_NEGATIVE;
  if (!::AnimateWindow(hwnd, kSlideMilliseconds, AW_SLIDE | AW_ACTIVATE | direction) || !::IsWindowVisible(hwnd))
    ::ShowWindow(hwnd, SW_SHOW);
  if (::GetActiveWindow() != hwnd) ::SetActiveWindow(hwnd);
  // 4. The loop.
  SetFocusedControl(list_);
  end_ = false;
  running_ = true;
  MSG msg{};
  while (Alive(hwnd) && !end_ && ::GetActiveWindow() == hwnd) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The outer loop has to see the quit too, with the code it was given.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!Redirect(msg)) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // A handler (or the combo box going) may have closed the window and deleted this object.
  if (!Alive(hwnd)) return false;
  running_ = false;
  // 5. Hidden, as a dialog is.
  Hide();
  return owner_ != nullptr;
}

}  // namespace vcam::dui
