#pragma once
// The bookkeeping tables of the window state, created empty in its registry
// before the window script runs; the window bindings and the script's own
// lua_* functions fill them.
#include <lua.hpp>

#include <optional>
#include <string>

namespace vcam::uninstaller {

inline constexpr const char* kWindowTable = "__window";
inline constexpr const char* kTimerTable = "__timer";
inline constexpr const char* kControlTable = "__control";

// __window = {}, __timer = {}, __control = {{}, {}}. The error text when
// they could not be made (out of memory); the stack is left as it was.
std::optional<std::string> create_window_registry_tables(lua_State* L);

}  // namespace vcam::uninstaller
