#pragma once
// The global `arg` of a script run from the command line, as the standalone
// Lua interpreter sets it: [0] the script's file, [1..n] its arguments.
#include <lua.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vcam::luarun {

// The error text when the table could not be made (out of memory).
std::optional<std::string> set_script_arguments(lua_State* L, const std::string& script,
                                                const std::vector<std::string>& arguments);

}  // namespace vcam::luarun
