#pragma once
// ScriptHost: runs the uninstaller's embedded scripts. One exists per
// process, reached through instance(), which its constructor sets and its
// destructor clears. The window state, which runs "UI.lua" on the UI thread,
// is published here while it runs, so that the window bindings' callbacks can
// reach it; worker states run the procedure on their own threads.
#include <lua.hpp>

#include <string_view>

#include "uninstaller/script/script_state.h"

namespace vcam::uninstaller {

// Script errors shown with MessageBoxW: caption "错误#2" for the window
// script, "错误#1" for a worker script. Printed lines need nothing more than
// the debugger output they already went to.
class MessageBoxOutput : public ScriptOutput {
 public:
  void print_line(std::string_view) override {}
  void report_error(ScriptKind kind, std::string_view message) override;
};

class ScriptHost {
 public:
  // Errors go to `output`; null: to message boxes.
  explicit ScriptHost(ScriptOutput* output = nullptr);
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  static ScriptHost* instance();

  // Runs the named script of the ResourceProvider in a new window state:
  // standard libraries, the system functions, `window_functions`
  // (createWindow, startWork), the registry roots, then the empty
  // __window / __timer / __control tables. Returns when the script has
  // returned; false after reporting a load, compile or run error.
  bool run_window_script(std::u16string_view name, const luaL_Reg* window_functions);

  // The same in a worker state on the calling thread, with `worker_functions`
  // (notifyMessage) instead and no registry tables. A false result tells the
  // worker to send its final notification itself.
  bool run_worker_script(std::u16string_view name, const luaL_Reg* worker_functions);

  // The window state while the window script runs, null otherwise.
  lua_State* window_state() const { return window_state_; }

 private:
  bool run(ScriptKind kind, std::u16string_view name, const luaL_Reg* extra_functions);

  MessageBoxOutput message_boxes_;
  ScriptOutput* output_;
  lua_State* window_state_ = nullptr;
};

}  // namespace vcam::uninstaller
