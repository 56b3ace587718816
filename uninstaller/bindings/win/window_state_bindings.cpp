#include "uninstaller/bindings/win/window_state_bindings.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "uninstaller/bindings/win/script_window.h"
#include "uninstaller/script/script_args.h"
#include "uninstaller/script/win/script_host.h"

namespace vcam::uninstaller {

namespace {

// The registry key: this object's address.
const char kBindingsKey = 0;

}  // namespace

WindowStateBindings* WindowStateBindings::of(lua_State* L) {
  if (!L || !lua_checkstack(L, 1)) return nullptr;
  lua_rawgetp(L, LUA_REGISTRYINDEX, &kBindingsKey);
  auto* bindings = static_cast<WindowStateBindings*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  return bindings;
}

int WindowStateBindings::make(lua_State* L) {
  void* memory = lua_newuserdata(L, sizeof(WindowStateBindings));
  lua_newtable(L);
  lua_pushcfunction(L, collect);
  lua_setfield(L, -2, "__gc");
  lua_setmetatable(L, -2);
  // Constructed only once the finalizer is in place and nothing can raise.
  new (memory) WindowStateBindings();
  lua_rawsetp(L, LUA_REGISTRYINDEX, &kBindingsKey);
  return 0;
}

int WindowStateBindings::collect(lua_State* L) {
  auto* bindings = static_cast<WindowStateBindings*>(lua_touserdata(L, 1));
  if (bindings) bindings->~WindowStateBindings();
  return 0;
}

WindowStateBindings* WindowStateBindings::ensure(lua_State* L) {
  if (WindowStateBindings* bindings = of(L)) return bindings;
  if (!L || run_protected(L, make, nullptr)) return nullptr;
  return of(L);
}

lua_State* WindowStateBindings::current_state() {
  const ScriptHost* host = ScriptHost::instance();
  return host ? host->window_state() : nullptr;
}

WindowStateBindings* WindowStateBindings::current() { return of(current_state()); }

WindowStateBindings::~WindowStateBindings() {
  closing_ = true;
  // Each window forgets itself as it goes.
  while (!windows_.empty()) {
    ScriptWindow* window = windows_.back();
    const HWND hwnd = window->hwnd();
    if (hwnd && ::IsWindow(hwnd)) {
      ::DestroyWindow(hwnd);
    } else {
      windows_.pop_back();
    }
    if (!windows_.empty() && windows_.back() == window) windows_.pop_back();
  }
}

void WindowStateBindings::forget_window(const ScriptWindow* window) {
  std::erase(windows_, window);
  subscribers_.unsubscribe(window);
}

ScriptWindow* WindowStateBindings::find_window(std::uintptr_t handle) const {
  if (!handle) return nullptr;
  for (ScriptWindow* w : windows_)
    if (reinterpret_cast<std::uintptr_t>(w) == handle) return w;
  return nullptr;
}

bool WindowStateBindings::has_window(const ScriptWindow* window) const {
  return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

}  // namespace vcam::uninstaller
