#include "dui/win/window_impl.h"

#include <imm.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <utility>

#include "common/win/wide.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/gdi_painter.h"
#include "dui/window/root_layout.h"
#include "dui/window/screen_placement.h"
#include "dui/window/tooltip_buffer.h"

namespace vcam::dui {

namespace {

// The window being created and the hook that adopts its handle (UI thread).
WindowImpl* g_creating = nullptr;
HHOOK g_creation_hook = nullptr;

// The tool record comctl32 version 5 knows (no lpReserved): 44 bytes on the
// 32-bit target. The full TOOLINFOW is larger and would be refused there.
constexpr UINT kToolInfoSize = offsetof(TOOLINFOW, lpReserved);
static_assert(sizeof(void*) != 4 || kToolInfoSize == 44, "the 32-bit tool record is 44 bytes");

constexpr COLORREF kCaretColour = 0x202020;

const wchar_t* ClassName() {
  const UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? wide(runtime->window_class()) : nullptr;
}

// The class is registered with the first window (again after a shutdown
// unregistered it) and joins the classes the runtime unregisters.
bool RegisterWindowClass() {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return false;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  auto& classes = runtime->window_classes();
  if (::GetClassInfoExW(instance, wide(runtime->window_class()), &existing)) {
    // Left registered by an earlier runtime whose windows outlived it.
    if (std::find(classes.begin(), classes.end(), runtime->window_class()) == classes.end())
      classes.push_back(runtime->window_class());
    return true;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = &WindowBase::SharedWindowProc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = wide(runtime->window_class());
  if (!::RegisterClassExW(&wc)) return false;
  classes.push_back(runtime->window_class());
  return true;
}

UINT RepaintMessage() {
  const UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? runtime->profile().repaint_message : UiProfile::Launcher().repaint_message;
}

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

WindowImpl::WindowImpl() = default;

WindowImpl::~WindowImpl() {
  if (g_creating == this) g_creating = nullptr;
  if (hwnd_) ::RevokeDragDrop(hwnd_);
  if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  // Deleted without its window's WM_DESTROY: the tree still has to leave.
  if (root_ && root_->IsLive()) root_->Detach();
  root_.reset();
  caret_timer_.Stop();
  // The back buffer, the drop formats and the handle-map entry go with the
  // members and bases.
}

void WindowImpl::SetRoot(std::unique_ptr<Control> root) { root_ = std::move(root); }

bool WindowImpl::Create(DWORD ex_style, DWORD style, int x, int y, int width, int height, HWND parent) {
  if (!RegisterWindowClass()) return false;
  g_creating = this;
  if (!g_creation_hook)
    g_creation_hook = ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
  const HWND hwnd = ::CreateWindowExW(ex_style, ClassName(), nullptr, style, x, y, width, height, parent, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd && g_creating == this) {
    // Nothing was made: do not leave a hook that would hand this object to a
    // later window of the class.
    g_creating = nullptr;
    if (g_creation_hook) ::UnhookWindowsHookEx(std::exchange(g_creation_hook, nullptr));
  }
  return hwnd != nullptr;
}

LRESULT CALLBACK WindowImpl::CreationHook(int code, WPARAM wparam, LPARAM lparam) {
  const HHOOK hook = g_creation_hook;
  if (code == HCBT_CREATEWND && g_creating) {
    const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lparam);
    const wchar_t* name = ClassName();
    const LPCWSTR cls = cbt->lpcs->lpszClass;
    wchar_t actual[256] = {};
    const wchar_t* compared = cls;
    if (IS_INTRESOURCE(cls)) {  // an atom: ask the window
      ::GetClassNameW(reinterpret_cast<HWND>(wparam), actual, 256);
      compared = actual;
    }
    if (name && compared && ::_wcsicmp(compared, name) == 0) {
      std::exchange(g_creating, nullptr)->Adopt(reinterpret_cast<HWND>(wparam));
      g_creation_hook = nullptr;
      const LRESULT result = ::CallNextHookEx(hook, code, wparam, lparam);
      ::UnhookWindowsHookEx(hook);
      return result;
    }
  }
  return ::CallNextHookEx(hook, code, wparam, lparam);
}

LRESULT WindowImpl::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == RepaintMessage()) {
    repaint_posted_ = false;
    if (layered_)
      FlushLayered();
    else
      ::UpdateWindow(hwnd_);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_SIZE:
      if (!::IsIconic(hwnd_)) OnSize();
      return 0;
    case WM_ACTIVATE:
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SHOWWINDOW: {
      if (wparam) {
        const Point p = CursorClient();
        ::SendMessageW(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
      } else {
        ::SendMessageW(hwnd_, WM_MOUSELEAVE, 0, 0);
      }
      return ::DefWindowProcW(hwnd_, message, wparam, lparam);
    }
    case WM_SETCURSOR:
      return OnSetCursor(wparam, lparam);
    case WM_NOTIFY:
      return OnNotify(lparam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      OnKey(message, wparam, lparam);
      return 0;
    case WM_IME_STARTCOMPOSITION:
      OnImeStartComposition();
      return ::DefWindowProcW(hwnd_, message, wparam, lparam);
    case WM_SYSCOMMAND:
      return OnSysCommand(wparam, lparam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
      OnMouseMessage(message, wparam, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      return 0;
    case WM_PRINTCLIENT:
      return OnPrintClient(reinterpret_cast<HDC>(wparam), lparam);
    default:
      return ::DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

LRESULT WindowImpl::OnCreate() {
  // 1. Attach and size the tree; the resize runs OnSize.
  if (root_) {
    root_->Attach(this);
    const Size size = SizeRootForWindow(*root_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyRoundCorner();
  }
  // 2. The tooltip, a tracking tool whose text is asked for when it shows.
  static const bool common_controls = [] {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)common_controls;
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                               0, 0, 0, hwnd_, nullptr, nullptr, nullptr);
  tool_ = TOOLINFOW{};
  tool_.cbSize = kToolInfoSize;
  tool_.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
  tool_.hwnd = hwnd_;
  tool_.uId = reinterpret_cast<UINT_PTR>(tooltip_);
  tool_.lpszText = LPSTR_TEXTCALLBACKW;
  if (tooltip_) ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
  // 3. Layered windows paint through UpdateLayeredWindow from the first flush.
  if (layered_) {
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
    if (root_) Invalidate(root_.get(), false);
  }
  return 0;
}

void WindowImpl::OnDestroy() {
  if (root_) {
    if (root_->HasFlag(ControlFlags::Visible)) {
      root_->SetFlag(ControlFlags::Visible, false);
      root_->UpdateIsVisible();
      ControlRemoved(root_.get());
      Invalidate(root_.get(), false);
    }
    root_->Detach();
  }
  delete this;
}

void WindowImpl::OnSize() {
  if (moving_ || !root_) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  buffer_.Resize(client.right, client.bottom);
  ApplyRoundCorner();
  FitRootToClient(*root_, {client.right, client.bottom});
  Invalidate(root_.get(), false);
}

void WindowImpl::ApplyRoundCorner() {
  if (!root_) return;
  const std::optional<Size> ellipse = RoundCorner(*root_);
  if (!ellipse) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  HRGN region = ::CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, ellipse->cx, ellipse->cy);
  if (!region) return;
  // The window owns a region it accepted and deletes the one it replaces.
  if (!::SetWindowRgn(hwnd_, region, TRUE)) {
    ::DeleteObject(region);
    return;
  }
  region_ = region;
}

void WindowImpl::PaintBuffer(const Rect& clip) {
  HDC dc = buffer_.dc();
  ::SaveDC(dc);
  ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  if (const UiRuntime* runtime = UiRuntime::Instance())
    if (FontHandle font = runtime->GetFont(u"Default")) ::SelectObject(dc, static_cast<HFONT>(font));
  GdiPainter painter(dc, layered_);
  root_->Paint(painter, root_->rect(), clip);
  if (caret_shown_) {
    const RECT caret = ToRECT(caret_rect());
    HBRUSH brush = ::CreateSolidBrush(kCaretColour);
    ::FillRect(dc, &caret, brush);
    ::DeleteObject(brush);
  }
  ::RestoreDC(dc, -1);
}

void WindowImpl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  if (root_ && buffer_.valid()) {
    const Rect clip{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
    PaintBuffer(clip);
    ::BitBlt(dc, clip.left, clip.top, clip.width(), clip.height(), buffer_.dc(), clip.left, clip.top, SRCCOPY);
  }
  ::EndPaint(hwnd_, &ps);
}

LRESULT WindowImpl::OnPrintClient(HDC dc, LPARAM flags) {
  if (!(flags & PRF_CLIENT) || !root_ || !buffer_.valid()) return 0;
  const Rect all{0, 0, buffer_.width(), buffer_.height()};
  PaintBuffer(all);
  ::BitBlt(dc, 0, 0, all.width(), all.height(), buffer_.dc(), 0, 0, SRCCOPY);
  return 0;
}

void WindowImpl::RequestRepaint(bool synchronous) {
  if (synchronous) {
    ::SendMessageW(hwnd_, RepaintMessage(), 0, 0);
    return;
  }
  // One request waiting in the queue repaints everything invalidated before
  // it runs: a hover change invalidates two controls but repaints once.
  if (repaint_posted_) return;
  repaint_posted_ = ::PostMessageW(hwnd_, RepaintMessage(), 0, 0) != FALSE;
}

void WindowImpl::Invalidate(Control* control, bool synchronous) {
  if (!hwnd_ || !control || !control->IsLive()) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const Rect r = control->GetWindowRect().intersect({0, 0, client.right, client.bottom});
  if (r.empty()) return;
  if (layered_) {
    AddDirtyRect(r);
  } else {
    const RECT rc = ToRECT(r);
    ::InvalidateRect(hwnd_, &rc, FALSE);
  }
  RequestRepaint(synchronous);
}

void WindowImpl::AddDirtyRect(const Rect& r) {
  if (dirty_.Add(r) != DirtyRectList::AddResult::Full) return;
  FlushLayered();
  dirty_.Add(r);
}

void WindowImpl::FlushLayered() {
  // The bounds of what is painted now: the system copies only that part of
  // the buffer to the window.
  RECT changed{0, 0, 0, 0};
  if (root_ && buffer_.valid()) {
    for (const Rect& r : dirty_) {
      buffer_.Clear(r);
      PaintBuffer(r);
      const RECT painted{r.left, r.top, r.right, r.bottom};
      ::UnionRect(&changed, &changed, &painted);
    }
  }
  dirty_.Clear();
  if (!buffer_.valid()) return;
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  POINT position{wr.left, wr.top};
  SIZE size{wr.right - wr.left, wr.bottom - wr.top};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constant_alpha_, static_cast<BYTE>(per_pixel_alpha_ ? AC_SRC_ALPHA : 0)};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof info;
  info.pptDst = &position;
  info.psize = &size;
  info.hdcSrc = buffer_.dc();
  info.pptSrc = &source;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &changed;
  ::UpdateLayeredWindowIndirect(hwnd_, &info);
}

LRESULT WindowImpl::OnSysCommand(WPARAM wparam, LPARAM lparam) {
  const WPARAM command = wparam & 0xFFF0;
  if (command == SC_MAXIMIZE || command == SC_RESTORE) {
    PostMouseMoveAtCursor();
    return ::DefWindowProcW(hwnd_, WM_SYSCOMMAND, wparam, lparam);
  }
  if (command != SC_MOVE) return ::DefWindowProcW(hwnd_, WM_SYSCOMMAND, wparam, lparam);
  // The system move loop may resize the window on its way; keep the size.
  moving_ = true;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const HWND hwnd = hwnd_;
  const LRESULT result = ::DefWindowProcW(hwnd, WM_SYSCOMMAND, wparam, lparam);
  if (!StillAlive(hwnd)) return result;
  moving_ = false;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
  return result;
}

bool WindowImpl::StillAlive(HWND hwnd) const {
  return ::IsWindow(hwnd) && WindowBase::FromHandle(hwnd) == static_cast<const WindowBase*>(this);
}

LRESULT WindowImpl::OnNotify(LPARAM lparam) {
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  if (header && tooltip_ && header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
    info->lpszText = const_cast<LPWSTR>(wide(TooltipBuffer::Fill(tooltip_text_)));
    info->hinst = nullptr;
    return 0;
  }
  return ::DefWindowProcW(hwnd_, WM_NOTIFY, 0, lparam);
}

void WindowImpl::ShowTooltip(std::u16string_view text) {
  tooltip_text_.assign(text);
  if (!tooltip_) return;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const Point at = TooltipOrigin({cursor.x, cursor.y}, tooltip_text_.size(), ::GetSystemMetrics(SM_CXSCREEN));
  if (::IsWindowVisible(tooltip_)) return;
  ::SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  ::SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
}

void WindowImpl::HideTooltip() {
  if (tooltip_ && ::IsWindowVisible(tooltip_))
    ::SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
}

void WindowImpl::WindowTimer::OnTimer() { window_.CaretTick(); }

void WindowImpl::CaretTick() {
  caret_shown_ = !caret_shown_;
  InvalidateCaret();
}

void WindowImpl::InvalidateCaret() {
  if (!hwnd_) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const Rect r = caret_rect().intersect({0, 0, client.right, client.bottom});
  if (!r.empty()) {
    if (layered_) {
      AddDirtyRect(r);
    } else {
      const RECT rc = ToRECT(r);
      ::InvalidateRect(hwnd_, &rc, FALSE);
    }
  }
  RequestRepaint(false);
}

void WindowImpl::ShowCaretAt(std::int32_t x, std::int32_t y) {
  if (caret_shown_) InvalidateCaret();
  caret_at_ = {x, y};
  caret_shown_ = true;
  InvalidateCaret();
  caret_timer_.set_interval(::GetCaretBlinkTime());
  caret_timer_.Start();
}

void WindowImpl::HideCaret() {
  caret_shown_ = false;
  InvalidateCaret();
  if (hwnd_) {
    if (HIMC context = ::ImmGetContext(hwnd_)) {
      ::ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
      ::ImmReleaseContext(hwnd_, context);
    }
  }
  caret_timer_.Stop();
}

void WindowImpl::SetCaretSize(std::int32_t width, std::int32_t height) { caret_size_ = {width, height}; }

void WindowImpl::OnImeStartComposition() {
  if (!caret_timer_.running()) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = {caret_at_.x, caret_at_.y};
  if (HWND ime = ::ImmGetDefaultIMEWnd(hwnd_))
    ::SendMessageW(ime, WM_IME_CONTROL, IMC_SETCOMPOSITIONWINDOW, reinterpret_cast<LPARAM>(&form));
}

std::int32_t WindowImpl::ShowDialog() {
  const HWND hwnd = hwnd_;
  if (!StillAlive(hwnd)) return 0;
  CenterScreen();
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  dialog_result_ = 0;
  // `this` is deleted with its window, so the window is checked first.
  MSG msg{};
  bool quit = false;
  while (StillAlive(hwnd) && dialog_result_ == 0) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      break;
    }
    if (got == -1) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (quit) {
    if (StillAlive(hwnd)) ::DestroyWindow(hwnd);
    // The outer loop has to see the quit too, with the code it was given.
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return 0;
  }
  if (!StillAlive(hwnd) || dialog_result_ == 0) return 0;
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  ::SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
  return dialog_result_;
}

void WindowImpl::EndDialog(std::int32_t result) {
  if (result == 0) return;  // 0 means "keep running"
  dialog_result_ = result;
  if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void WindowImpl::CenterScreen() {
  RECT wr{};
  if (!::GetWindowRect(hwnd_, &wr)) return;
  const Point at = CenteredOrigin({::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
                                  {wr.right - wr.left, wr.bottom - wr.top});
  ::SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point WindowImpl::ClientToScreen(Point client) {
  POINT p{client.x, client.y};
  if (hwnd_) ::ClientToScreen(hwnd_, &p);
  return {p.x, p.y};
}

void WindowImpl::OnDragEnter(POINTL cursor, DWORD* effect) {
  POINT p{cursor.x, cursor.y};
  ::ScreenToClient(hwnd_, &p);
  std::uint32_t e = *effect;
  drops_.Enter(root_.get(), {p.x, p.y}, &e);
  *effect = e;
}

void WindowImpl::OnDragOver(POINTL cursor, DWORD* effect) {
  POINT p{cursor.x, cursor.y};
  ::ScreenToClient(hwnd_, &p);
  std::uint32_t e = *effect;
  drops_.Over(root_.get(), {p.x, p.y}, &e);
  *effect = e;
}

void WindowImpl::OnDragLeave() { drops_.Leave(CursorClient()); }

void WindowImpl::OnDrop(POINTL cursor, DWORD* effect) {
  POINT p{cursor.x, cursor.y};
  ::ScreenToClient(hwnd_, &p);
  std::uint32_t e = *effect;
  drops_.Drop({p.x, p.y}, &e);
  *effect = e;
}

}  // namespace vcam::dui
