#pragma once
// The methods of a window table. Argument 1 is the table; a table that is
// not a registered window makes every method do nothing.
#include <lua.hpp>

namespace vcam::uninstaller {

class ScriptWindow;

// Null-terminated, for luaL_setfuncs.
extern const luaL_Reg kWindowMethods[];

// The live script window the table at `index` stands for; null when none.
ScriptWindow* window_at(lua_State* L, int index);

}  // namespace vcam::uninstaller
