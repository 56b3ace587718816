#include "uninstaller/bindings/method_tables.h"

#include "uninstaller/script/script_args.h"

namespace vcam::uninstaller {

namespace {

struct Request {
  const luaL_Reg* first;
  const luaL_Reg* second;
};

int make_table(lua_State* L) {
  const auto* request = static_cast<const Request*>(lua_touserdata(L, 1));
  lua_newtable(L);
  if (request->first) luaL_setfuncs(L, request->first, 0);
  if (request->second) luaL_setfuncs(L, request->second, 0);
  return 1;
}

std::optional<std::string> push_table(lua_State* L, const luaL_Reg* first, const luaL_Reg* second) {
  if (!lua_checkstack(L, 3)) return std::string("stack overflow");
  Request request{first, second};
  lua_pushcfunction(L, make_table);
  lua_pushlightuserdata(L, &request);
  if (lua_pcall(L, 1, 1, 0) != LUA_OK) return pop_error_text(L);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> push_method_table(lua_State* L, const ControlMethodTables& tables, ScriptClass cls) {
  const auto index = static_cast<std::size_t>(cls);
  return push_table(L, tables.common, index < kScriptClassCount ? tables.by_class[index] : nullptr);
}

std::optional<std::string> push_method_table(lua_State* L, const luaL_Reg* methods) {
  return push_table(L, methods, nullptr);
}

}  // namespace vcam::uninstaller
