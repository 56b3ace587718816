#pragma once
// A window made by the window script (createWindow): a shadowed framework
// window whose tree comes from the named layout when it handles WM_CREATE
// (before the tree is attached and sized, and before the shadow is made). It knows its
// window state and its table there, owns the script's timers, answers the
// application message that carries worker notifications, and runs the
// script's modal loop.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <lua.hpp>

#include "dui/win/timer.h"
#include "launcher/windows/shadowed_window.h"

namespace vcam::uninstaller {

class WindowStateBindings;

// The framework's application message; a worker's notification text comes
// as a const std::string_view* in lParam, the answer is the result.
inline constexpr UINT kApplicationMessage = WM_USER;

class ScriptWindow : public launcher::shadowed_window {
 public:
  // Made with new; the window deletes it when it is destroyed.
  ScriptWindow(lua_State* L, WindowStateBindings& bindings, std::u16string layout);

  // Creates the window with the layout's tree; false (the object deleted)
  // when no window was made or the layout gave no tree.
  static ScriptWindow* Open(lua_State* L, WindowStateBindings& bindings, std::u16string layout, DWORD style);

  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The script's modal run: the owner (may be null) is disabled meanwhile;
  // WM_CLOSE and SC_CLOSE of this window are dropped, so only EndDialog with
  // a non-zero code ends it. The window is destroyed before the code is
  // returned (0 when the window went away otherwise or WM_QUIT came).
  std::int32_t RunModal(HWND owner);

  // Timers: a handle for the script, null when the timer could not start.
  void* StartTimer(std::uint32_t interval_ms);
  // False when the window has no such timer.
  bool KillTimer(const void* timer);

  // Subscribes to worker notifications.
  void Subscribe();

  void SizeToLayout();
  void CenterOnScreen() { CenterScreen(); }

 private:
  class ScriptTimer : public dui::Timer {
   public:
    explicit ScriptTimer(ScriptWindow& window) : window_(window) {}
    void OnTimer() override;

   private:
    ScriptWindow& window_;
    bool ticking_ = false;
  };

  ~ScriptWindow() override;
  void OnScriptWindowDestroyed();
  bool InScript() const;
  static std::int32_t AskWindow(void* window, std::string_view text);
  std::int32_t AnswerNotification(std::string_view text);
  bool IsClose(const MSG& msg) const;

  lua_State* const L_;
  WindowStateBindings& bindings_;
  const std::u16string layout_;
  std::vector<std::unique_ptr<ScriptTimer>> timers_;
  bool modal_ = false;
};

}  // namespace vcam::uninstaller
