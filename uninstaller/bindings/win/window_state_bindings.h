#pragma once
// What the bindings keep for one window state beside its bookkeeping tables:
// the script windows it made and the windows subscribed to worker
// notifications. It lives in the state's registry and goes when the state is
// closed; windows still open then are destroyed first, without calling into
// the closing state.
#include <lua.hpp>

#include <vector>

#include "uninstaller/bindings/message_subscribers.h"

namespace vcam::uninstaller {

class ScriptWindow;

class WindowStateBindings {
 public:
  // The bindings of the state, null when it has none yet.
  static WindowStateBindings* of(lua_State* L);
  // The same, made when missing; null when it cannot be made (out of memory).
  static WindowStateBindings* ensure(lua_State* L);

  // The window state of the running window script, null outside its run.
  static lua_State* current_state();
  // The bindings of the current state, null outside the run.
  static WindowStateBindings* current();

  void add_window(ScriptWindow* window) { windows_.push_back(window); }
  void forget_window(const ScriptWindow* window);
  // The live script window with this handle, null when none.
  ScriptWindow* find_window(std::uintptr_t handle) const;
  // The live script window, null when it is none of this state's.
  bool has_window(const ScriptWindow* window) const;

  MessageSubscribers& subscribers() { return subscribers_; }
  // Set while the state closes: no call into it may be made.
  bool closing() const { return closing_; }

 private:
  WindowStateBindings() = default;
  ~WindowStateBindings();
  static int make(lua_State* L);
  static int collect(lua_State* L);

  std::vector<ScriptWindow*> windows_;
  MessageSubscribers subscribers_;
  bool closing_ = false;
};

}  // namespace vcam::uninstaller
