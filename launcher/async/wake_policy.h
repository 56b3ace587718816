#pragma once
// The message window's wake-up: post the wake message; when that fails, log
// the error, and either arm the 0 ms timer (on the UI thread) or, for a full
// message queue (ERROR_NOT_ENOUGH_QUOTA), retry the post five times 50 ms
// apart. The queued entry is never lost: it runs with the next wake or drain.
#include <string_view>

namespace vcam::launcher {

inline constexpr unsigned long kNotEnoughQuota = 1816;
inline constexpr int kWakeRetries = 5;
inline constexpr unsigned kWakeRetryPauseMs = 50;

// What a wake needs from the platform (the message window on Windows).
class wake_port {
 public:
  // Posts the wake message; true on success.
  virtual bool post() = 0;
  // The error of the failed post.
  virtual unsigned long last_error() = 0;
  virtual bool on_ui_thread() = 0;
  // Arms the 0 ms fallback timer whose WM_TIMER drains the queue.
  virtual void arm_timer() = 0;
  virtual void pause(unsigned milliseconds) = 0;

 protected:
  ~wake_port() = default;
};

// Wakes the window; `class_name` names it in the log lines.
void wake(wake_port& port, std::u16string_view class_name);

}  // namespace vcam::launcher
