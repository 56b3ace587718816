#pragma once
// A download job behind the modal progress window: the window is created
// (tool window, topmost), an owner token is registered for it, the job runs
// on the task runner and moves the bar and ends the dialog only through
// closures posted to the message window with that token. The token is
// withdrawn as soon as the window is destroyed, so closures that arrive later
// (or later in the same drain) are dropped instead of touching a freed window.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vcam::launcher {

class splash_window_interface;

// Counts of the job's progress closures: posted by the worker, and run on the
// UI thread. Shared with the worker, so it may outlive the call.
struct progress_job_counters {
  std::atomic<std::uint32_t> posted{0};
  std::atomic<std::uint32_t> applied{0};
};

// Moves the bar to `position` (worker thread).
using progress_position_sink = std::function<void(std::uint64_t position)>;
// The job proper (worker thread): true when it succeeded.
using progress_job = std::function<bool(const progress_position_sink& move_bar)>;

struct progress_job_options {
  std::shared_ptr<progress_job_counters> counters;  // optional
  // Called on the UI thread with the window's handle (HWND) just before the
  // modal loop runs (tests use it to reach the window).
  std::function<void(void* window)> on_shown;
};

// The dialog's result: 1 when the job succeeded, 2 when it failed or could not
// be started (no window, no task runner), 0 when the window went away first
// (the job may then still be running; it owns what it captured).
int run_progress_job(const std::u16string& text, std::uint64_t maximum, progress_job job,
                     splash_window_interface* splash, const progress_job_options& options = {});

}  // namespace vcam::launcher
