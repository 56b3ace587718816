#include "uninstaller/bindings/win/script_window.h"

#include <algorithm>
#include <utility>

#include "dui/runtime/ui_runtime.h"
#include "dui/window/root_layout.h"
#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/bindings/win/window_state_bindings.h"

namespace vcam::uninstaller {

ScriptWindow::ScriptWindow(lua_State* L, WindowStateBindings& bindings, std::u16string layout)
    : L_(L), bindings_(bindings), layout_(std::move(layout)) {
  bindings_.add_window(this);
}

ScriptWindow::~ScriptWindow() {
  // Deleted without WM_DESTROY (the window was never made).
  if (bindings_.has_window(this)) bindings_.forget_window(this);
}

ScriptWindow* ScriptWindow::Open(lua_State* L, WindowStateBindings& bindings, std::u16string layout, DWORD style) {
  auto* window = new ScriptWindow(L, bindings, std::move(layout));
  if (!window->Create(0, style, 0, 0, 0, 0, nullptr)) {
    delete window;
    return nullptr;
  }
  if (!window->root()) {
    ::DestroyWindow(window->hwnd());
    return nullptr;
  }
  return window;
}

bool ScriptWindow::InScript() const {
  return !bindings_.closing() && WindowStateBindings::current_state() == L_;
}

LRESULT ScriptWindow::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      if (dui::UiRuntime* runtime = dui::UiRuntime::Instance()) SetRoot(runtime->LoadLayout(layout_));
      break;
    case WM_DESTROY:
      OnScriptWindowDestroyed();
      break;
    case WM_CLOSE:
      // Sent ones too (the title bar's close sends it): the script decides.
      if (modal_) return 0;
      break;
    case WM_SYSCOMMAND:
      if (modal_ && (wparam & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case kApplicationMessage:
      if (const auto* text = reinterpret_cast<const std::string_view*>(lparam)) return AnswerNotification(*text);
      return 0;
    default:
      break;
  }
  return shadowed_window::WindowProc(message, wparam, lparam);
}

void ScriptWindow::OnScriptWindowDestroyed() {
  if (InScript()) {
    remove_window(L_, this);
    remove_timers(L_, this);
  }
  bindings_.forget_window(this);
  timers_.clear();
}

bool ScriptWindow::IsClose(const MSG& msg) const {
  if (msg.hwnd != hwnd_) return false;
  return msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE);
}

std::int32_t ScriptWindow::RunModal(HWND owner) {
  const HWND hwnd = hwnd_;
  // 1. The owner waits, restored and disabled.
  bool owner_was_enabled = false;
  if (owner && ::IsWindow(owner)) {
    if (::IsIconic(owner)) ::ShowWindow(owner, SW_RESTORE);
    owner_was_enabled = !::EnableWindow(owner, FALSE);
  } else {
    owner = nullptr;
  }
  // 2. Shown, no code yet.
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  dialog_result_ = 0;
  modal_ = true;
  // 3. Every message of the thread until a code or WM_QUIT; `this` goes
  //    with its window, so the window is checked first.
  auto alive = [&] { return ::IsWindow(hwnd) && WindowBase::FromHandle(hwnd) == this; };
  MSG msg{};
  bool quit = false;
  while (alive() && dialog_result_ == 0) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      break;
    }
    if (got == -1) break;
    if (IsClose(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  const bool still = alive();
  const std::int32_t code = still ? dialog_result_ : 0;
  if (still) modal_ = false;
  // 4. The outer loop sees the quit too, with its exit code.
  if (quit && code == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
  // 5. The owner as it was.
  if (owner && ::IsWindow(owner)) {
    ::EnableWindow(owner, owner_was_enabled);
    ::SetActiveWindow(owner);
  }
  // 6. Hidden and destroyed before the code is handed back.
  if (still) {
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    ::DestroyWindow(hwnd);
  }
  return code;
}

void ScriptWindow::SizeToLayout() {
  if (!root()) return;
  const dui::Size size = dui::SizeRootForWindow(*root());
  ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void* ScriptWindow::StartTimer(std::uint32_t interval_ms) {
  auto timer = std::make_unique<ScriptTimer>(*this);
  timer->set_interval(interval_ms);
  timer->Start();
  if (!timer->running()) return nullptr;
  timers_.push_back(std::move(timer));
  return timers_.back().get();
}

bool ScriptWindow::KillTimer(const void* timer) {
  const auto it = std::find_if(timers_.begin(), timers_.end(), [timer](const auto& t) { return t.get() == timer; });
  if (it == timers_.end()) return false;
  // A timer may be killed from its own tick: the tick touches nothing of it
  // once the script returned.
  (*it)->Stop();
  std::unique_ptr<ScriptTimer> gone = std::move(*it);
  timers_.erase(it);
  if (InScript()) kill_timer(L_, gone.get(), this);
  return true;
}

void ScriptWindow::ScriptTimer::OnTimer() {
  // A tick whose function runs a nested loop (a message box) is not entered
  // again by the ticks that come meanwhile.
  if (ticking_) return;
  ticking_ = true;
  ScriptWindow& window = window_;
  const HWND hwnd = window.hwnd();
  const void* handle = this;
  // The function may kill this timer or destroy the window: nothing of
  // either is touched afterwards unless it is still there.
  if (window.InScript()) on_timer(window.L_, handle);
  if (::IsWindow(hwnd) && dui::WindowBase::FromHandle(hwnd) == &window) {
    for (const auto& t : window.timers_)
      if (t.get() == handle) ticking_ = false;
  }
}

void ScriptWindow::Subscribe() { bindings_.subscribers().subscribe(this, &AskWindow); }

std::int32_t ScriptWindow::AskWindow(void* window, std::string_view text) {
  auto* self = static_cast<ScriptWindow*>(window);
  return static_cast<std::int32_t>(
      ::SendMessageW(self->hwnd(), kApplicationMessage, 0, reinterpret_cast<LPARAM>(&text)));
}

std::int32_t ScriptWindow::AnswerNotification(std::string_view text) {
  if (!InScript() || !lua_checkstack(L_, 2)) return 0;
  const int top = lua_gettop(L_);
  std::int32_t answer = 0;
  if (push_window(L_, this) && lua_istable(L_, -1)) answer = invoke_message_handler(L_, lua_gettop(L_), text);
  lua_settop(L_, top);
  return answer;
}

}  // namespace vcam::uninstaller
