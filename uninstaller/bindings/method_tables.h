#pragma once
// The methods put into a control table: the common ones, then those of the
// control's script class, which replace common methods of the same name (the
// text controls' own setText / getText). A class without a list gets the
// common methods only; a class's list is added here in one place.
#include <lua.hpp>

#include <array>
#include <optional>
#include <string>

#include "uninstaller/bindings/control_class.h"

namespace vcam::uninstaller {

struct ControlMethodTables {
  // Null-terminated luaL_Reg arrays; a null class entry adds nothing.
  const luaL_Reg* common = nullptr;
  std::array<const luaL_Reg*, kScriptClassCount> by_class{};
};

// Pushes a new table holding the methods of `cls`. The error text when it
// could not be made (out of memory); nothing is pushed then.
std::optional<std::string> push_method_table(lua_State* L, const ControlMethodTables& tables, ScriptClass cls);

// Pushes a new table with the methods of one null-terminated array (a window
// table); as above.
std::optional<std::string> push_method_table(lua_State* L, const luaL_Reg* methods);

}  // namespace vcam::uninstaller
