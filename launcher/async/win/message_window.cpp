#include "launcher/async/win/message_window.h"

#include <utility>

#include "common/win/wide.h"

namespace vcam::launcher {
namespace {

// The process-wide message window. Posting threads hold the guard shared;
// unpublishing takes it exclusive, so the object is never freed under them.
SRWLOCK g_guard = SRWLOCK_INIT;
message_window* g_window = nullptr;

}  // namespace

bool window_wake_port::post() { return ::PostMessageW(owner_.window(), kWakeMessage, 0, 0) != FALSE; }
unsigned long window_wake_port::last_error() { return ::GetLastError(); }
bool window_wake_port::on_ui_thread() { return ::GetCurrentThreadId() == owner_.ui_thread(); }
void window_wake_port::arm_timer() { ::SetTimer(owner_.window(), kFallbackTimer, 0, nullptr); }
void window_wake_port::pause(unsigned milliseconds) { ::Sleep(milliseconds); }

message_window::message_window() : port_(std::make_unique<window_wake_port>(*this)) {
  ::InitializeCriticalSectionAndSpinCount(&lock_, 100);
  ::AcquireSRWLockExclusive(&g_guard);
  g_window = this;
  ::ReleaseSRWLockExclusive(&g_guard);
}

message_window::~message_window() {
  ::AcquireSRWLockExclusive(&g_guard);
  if (g_window == this) g_window = nullptr;
  ::ReleaseSRWLockExclusive(&g_guard);
  destroy();
  ::DeleteCriticalSection(&lock_);
}

bool message_window::create(const std::u16string& class_name) {
  ui_thread_ = ::GetCurrentThreadId();
  WNDCLASSW wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = wide(class_name);
  // The class outlives a destroyed window; a later window reuses it.
  if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  class_name_ = class_name;
  window_ = ::CreateWindowExW(0, wide(class_name), L"fake", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              wc.hInstance, nullptr);
  return window_ != nullptr;
}

void message_window::destroy() {
  // Posting threads read the handle and the class name under the lock; both
  // are cleared under it, so no post wakes a window being destroyed.
  ::EnterCriticalSection(&lock_);
  HWND window = std::exchange(window_, nullptr);
  class_name_.clear();
  ::LeaveCriticalSection(&lock_);
  if (window) {
    ::KillTimer(window, kFallbackTimer);
    ::DestroyWindow(window);
  }
  drain();
  ::EnterCriticalSection(&lock_);
  tokens_.clear();
  std::vector<entry> dropped;
  dropped.swap(queue_);
  head_ = 0;
  ::LeaveCriticalSection(&lock_);
  // `dropped` dies outside the lock: destroying a callable may post.
}

void message_window::post(std::uint32_t token, std::function<void()> callable) {
  ::EnterCriticalSection(&lock_);
  queue_.push_back({token, std::move(callable)});
  if (window_) wake(*port_, class_name_);
  ::LeaveCriticalSection(&lock_);
}

void message_window::drain() {
  if (window_) ::KillTimer(window_, kFallbackTimer);
  for (;;) {
    ::EnterCriticalSection(&lock_);
    if (head_ == queue_.size()) {
      queue_.clear();
      head_ = 0;
      ::LeaveCriticalSection(&lock_);
      return;
    }
    entry next = std::move(queue_[head_++]);
    ::LeaveCriticalSection(&lock_);
    if (tokens_.is_registered(next.token)) next.callable();
  }
}

LRESULT CALLBACK message_window::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER || message == kWakeMessage) {
    // The window and its state both belong to this thread, so the state
    // cannot go away while the drain runs.
    if (message_window* self = current_message_window(); self && self->window_ == window) self->drain();
    return 0;
  }
  return ::DefWindowProcW(window, message, wparam, lparam);
}

bool create_message_window(const std::u16string& class_name) {
  if (current_message_window()) return false;
  auto w = std::make_unique<message_window>();
  if (!w->create(class_name)) return false;
  w.release();  // owned through the process-wide pointer
  return true;
}

void destroy_message_window() {
  message_window* w = current_message_window();
  if (!w) return;
  // Destroy (and run the last callables) while still published, so that
  // callables can post; then unpublish and free.
  w->destroy();
  delete w;
}

std::uint32_t register_owner_token() {
  message_window* w = current_message_window();
  return w ? w->register_token() : 0;
}

void unregister_owner_token(std::uint32_t token) {
  if (message_window* w = current_message_window()) w->unregister_token(token);
}

void post_to_ui(std::uint32_t token, std::function<void()> callable) {
  ::AcquireSRWLockShared(&g_guard);
  if (g_window) g_window->post(token, std::move(callable));
  ::ReleaseSRWLockShared(&g_guard);
}

message_window* current_message_window() {
  ::AcquireSRWLockShared(&g_guard);
  message_window* w = g_window;
  ::ReleaseSRWLockShared(&g_guard);
  return w;
}

}  // namespace vcam::launcher
