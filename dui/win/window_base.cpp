#include "dui/win/window_base.h"

#include <map>

namespace vcam::dui {

namespace {

// UI thread only, like the windows themselves.
std::map<HWND, WindowBase*>& Windows() {
  static std::map<HWND, WindowBase*> windows;
  return windows;
}

int g_syscommand_depth = 0;

}  // namespace

WindowBase::~WindowBase() {
  const auto it = Windows().find(hwnd_);
  if (it != Windows().end() && it->second == this) Windows().erase(it);
}

LRESULT WindowBase::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    ::OutputDebugStringW(L"WindowBase Destroy!\n");
    delete this;
    return 0;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

void WindowBase::Adopt(HWND hwnd) {
  hwnd_ = hwnd;
  Windows()[hwnd] = this;
}

WindowBase* WindowBase::FromHandle(HWND hwnd) {
  const auto it = Windows().find(hwnd);
  return it == Windows().end() ? nullptr : it->second;
}

int WindowBase::SysCommandDepth() { return g_syscommand_depth; }

LRESULT CALLBACK WindowBase::SharedWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  struct Nesting {
    bool on;
    explicit Nesting(bool counted) : on(counted) {
      if (on) ++g_syscommand_depth;
    }
    ~Nesting() {
      if (on) --g_syscommand_depth;
    }
  } nesting(message == WM_SYSCOMMAND);

  const auto it = Windows().find(hwnd);
  if (it == Windows().end()) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  WindowBase* window = it->second;
  // Messages after WM_DESTROY (WM_NCDESTROY) must not reach the object, which
  // deletes itself while handling it.
  if (message == WM_DESTROY) Windows().erase(it);
  return window->WindowProc(message, wparam, lparam);
}

}  // namespace vcam::dui
