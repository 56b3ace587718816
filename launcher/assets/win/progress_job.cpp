#include "launcher/assets/win/progress_job.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "launcher/application/splash_window_interface.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"
#include "launcher/windows/progress_window.h"

namespace vcam::launcher {
namespace {

// A progress window that withdraws its owner token when it is destroyed,
// before anything else can run for it, and tells its creator when the object
// is gone (it deletes itself with its window, also when its creation fails
// half-way).
class token_owning_progress_window final : public progress_window {
 public:
  token_owning_progress_window(std::wstring text, unsigned maximum, bool& alive)
      : progress_window(std::move(text), maximum), alive_(alive) {
    alive_ = true;
  }
  ~token_owning_progress_window() override { alive_ = false; }

  void set_token(std::uint32_t token) { token_ = token; }

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_DESTROY && token_ != 0) {
      unregister_owner_token(token_);
      token_ = 0;
    }
    return progress_window::WindowProc(message, wparam, lparam);
  }

 private:
  std::uint32_t token_ = 0;
  bool& alive_;
};

// The bar counts in 32 bits; a larger job stops at the top.
unsigned bar_value(std::uint64_t value) {
  return static_cast<unsigned>(std::min<std::uint64_t>(value, std::numeric_limits<unsigned>::max()));
}

std::wstring wide_text(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

int run_progress_job(const std::u16string& text, std::uint64_t maximum, progress_job job,
                     splash_window_interface* splash, const progress_job_options& options) {
  // 1. The window, created hidden; ShowDialog shows it.
  bool alive = false;
  auto* window = new token_owning_progress_window(wide_text(text), bar_value(maximum), alive);
  if (!window->Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, 0, 0, 0, 0, nullptr)) {
    if (alive) delete window;
    return 2;
  }
  const HWND hwnd = window->hwnd();

  // 2. Its owner token.
  const std::uint32_t token = register_owner_token();
  window->set_token(token);

  // 3. The worker. It captures the window's address only to hand it to
  // closures that run under the token.
  std::shared_ptr<progress_job_counters> counters = options.counters;
  auto worker = [job = std::move(job), window, hwnd, token, counters] {
    const progress_position_sink move_bar = [&](std::uint64_t position) {
      if (counters) ++counters->posted;
      post_to_ui(token, [window, counters, value = bar_value(position)] {
        if (counters) ++counters->applied;
        window->set_progress(value);
      });
    };
    const bool succeeded = job(move_bar);
    post_to_ui(token, [window, hwnd, succeeded] {
      window->set_result(succeeded ? 1 : 2);
      ::PostMessageW(hwnd, WM_NULL, 0, 0);
    });
  };
  if (!run_async(std::move(worker))) {
    ::DestroyWindow(hwnd);  // withdraws the token
    return 2;
  }

  // 4. The splash gives way to the modal window.
  if (splash) splash->hide(false);
  if (options.on_shown) options.on_shown(hwnd);

  // 5. Modal until the worker's result; the window goes in any case.
  const int result = window->ShowDialog();
  if (alive) ::DestroyWindow(hwnd);
  // Already withdrawn with the window; a second withdrawal is harmless.
  unregister_owner_token(token);
  return result;
}

}  // namespace vcam::launcher
