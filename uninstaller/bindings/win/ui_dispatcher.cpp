#include "uninstaller/bindings/win/ui_dispatcher.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vcam::uninstaller {

namespace {

UiDispatcher* the_dispatcher = nullptr;

// How long the reaper sleeps between looks at its list when nothing stops it.
constexpr DWORD kReaperPauseMs = 10000;

// Waits for all of them, MAXIMUM_WAIT_OBJECTS at a time, and closes them.
void join_all(std::vector<HANDLE>& threads) {
  for (std::size_t at = 0; at < threads.size(); at += MAXIMUM_WAIT_OBJECTS) {
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, threads.size() - at));
    ::WaitForMultipleObjects(count, threads.data() + at, TRUE, INFINITE);
  }
  for (HANDLE h : threads) ::CloseHandle(h);
  threads.clear();
}

}  // namespace

UiDispatcher::UiDispatcher() { the_dispatcher = this; }

UiDispatcher::~UiDispatcher() {
  if (reaper_ || active()) stop();
  if (the_dispatcher == this) the_dispatcher = nullptr;
}

UiDispatcher* UiDispatcher::instance() { return the_dispatcher; }

bool UiDispatcher::start() {
  bool started = false;
  queue_.open([&] {
    // Started already: it stays as it is.
    if (hook_) {
      started = true;
      return;
    }
    stop_event_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // A thread has a message queue once it asked for a message.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    thread_id_ = ::GetCurrentThreadId();
    hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, &hook_procedure, nullptr, thread_id_);
    started = stop_event_ && hook_;
  });
  // A failure leaves it closed.
  if (!started) {
    queue_.close([&] {
      if (hook_) ::UnhookWindowsHookEx(std::exchange(hook_, nullptr));
    });
  }
  return started;
}

int UiDispatcher::post(UiTaskPtr task) {
  const DWORD thread = thread_id_;
  return queue_.post(std::move(task), [thread] { ::PostThreadMessageW(thread, WM_NULL, 0, 0); }) ? 0 : -1;
}

bool UiDispatcher::add_worker(HANDLE thread) {
  const bool filed = queue_.add_worker(thread, [this] {
    reaper_.reset(::CreateThread(nullptr, 0, &reaper_routine, this, 0, nullptr));
    return static_cast<bool>(reaper_);
  });
  if (!filed && thread) ::CloseHandle(thread);
  return filed;
}

void UiDispatcher::stop() {
  queue_.close([this] {
    if (stop_event_) ::SetEvent(stop_event_.get());
    if (hook_) ::UnhookWindowsHookEx(std::exchange(hook_, nullptr));
  });
  // Outside the lock: the reaper takes it to read its list.
  if (reaper_) {
    ::WaitForSingleObject(reaper_.get(), INFINITE);
    reaper_.reset();
  }
  stop_event_.reset();
}

LRESULT CALLBACK UiDispatcher::hook_procedure(int code, WPARAM wparam, LPARAM lparam) {
  UiDispatcher* self = the_dispatcher;
  const auto* msg = reinterpret_cast<const MSG*>(lparam);
  if (self && code == HC_ACTION && wparam == PM_REMOVE && msg && msg->message == WM_NULL && !msg->hwnd) {
    self->queue_.run_one();
    return 0;
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

DWORD WINAPI UiDispatcher::reaper_routine(void* self) {
  static_cast<UiDispatcher*>(self)->reap();
  return 0;
}

void UiDispatcher::reap() {
  for (;;) {
    std::vector<HANDLE> threads = queue_.take_workers();
    join_all(threads);
    if (::WaitForSingleObject(stop_event_.get(), kReaperPauseMs) != WAIT_TIMEOUT) break;
  }
  // Workers filed just before the stop.
  std::vector<HANDLE> last = queue_.take_workers();
  join_all(last);
}

}  // namespace vcam::uninstaller
