#pragma once
// The message window: a hidden window of the UI thread with a locked queue of
// callables. Any thread posts a callable with an owner token; the window runs
// queued callables on the UI thread, and drops those whose token is not (or no
// longer) registered. One per process, reached through the free functions.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launcher/async/owner_tokens.h"
#include "launcher/async/wake_policy.h"

namespace vcam::launcher {

inline constexpr UINT kWakeMessage = WM_USER + 100;
inline constexpr UINT_PTR kFallbackTimer = 100;

class message_window;

// The real wake: PostMessageW, GetLastError, SetTimer and Sleep on the
// message window. Tests derive from it to make the post fail.
class window_wake_port : public wake_port {
 public:
  explicit window_wake_port(message_window& owner) : owner_(owner) {}
  virtual ~window_wake_port() = default;
  bool post() override;
  unsigned long last_error() override;
  bool on_ui_thread() override;
  void arm_timer() override;
  void pause(unsigned milliseconds) override;

 protected:
  message_window& owner_;
};

class message_window {
 public:
  message_window();   // becomes the process-wide message window
  ~message_window();  // destroys the window, then is no longer process-wide
  message_window(const message_window&) = delete;
  message_window& operator=(const message_window&) = delete;

  // Registers the class (an existing registration of the same name from an
  // earlier window is reused) and creates the hidden window.
  bool create(const std::u16string& class_name);
  // Destroys the window, runs what is still queued for registered tokens and
  // clears tokens and queue.
  void destroy();

  std::uint32_t register_token() { return tokens_.register_token(); }
  void unregister_token(std::uint32_t token) { tokens_.unregister_token(token); }
  void post(std::uint32_t token, std::function<void()> callable);
  // Runs queued callables until the queue is empty (UI thread).
  void drain();

  HWND window() const { return window_; }
  DWORD ui_thread() const { return ui_thread_; }
  const std::u16string& class_name() const { return class_name_; }
  // For tests: replaces the wake (the real one is window_wake_port).
  void set_wake_port(std::unique_ptr<window_wake_port> port) { port_ = std::move(port); }

 private:
  struct entry {
    std::uint32_t token;
    std::function<void()> callable;
  };
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  CRITICAL_SECTION lock_;
  std::vector<entry> queue_;  // guarded by lock_; first in, first out
  std::size_t head_ = 0;      // first unconsumed entry of queue_
  owner_tokens tokens_;       // UI thread only
  HWND window_ = nullptr;
  std::u16string class_name_;
  DWORD ui_thread_ = 0;
  std::unique_ptr<window_wake_port> port_;
};

// Creates the process-wide message window on the calling (UI) thread.
bool create_message_window(const std::u16string& class_name);
void destroy_message_window();
// UI thread. Without a message window register returns 0, which never runs.
std::uint32_t register_owner_token();
void unregister_owner_token(std::uint32_t token);
// Any thread. Without a message window the callable is dropped.
void post_to_ui(std::uint32_t token, std::function<void()> callable);
// The process-wide message window, or null (for tests and diagnostics).
message_window* current_message_window();

}  // namespace vcam::launcher
