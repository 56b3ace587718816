#include "uninstaller/script/window_registry.h"

#include "uninstaller/script/script_args.h"

namespace vcam::uninstaller {

namespace {

int create_tables(lua_State* L) {
  lua_newtable(L);
  lua_setfield(L, LUA_REGISTRYINDEX, kWindowTable);
  lua_newtable(L);
  lua_setfield(L, LUA_REGISTRYINDEX, kTimerTable);
  lua_createtable(L, 2, 0);
  lua_newtable(L);
  lua_rawseti(L, -2, 1);
  lua_newtable(L);
  lua_rawseti(L, -2, 2);
  lua_setfield(L, LUA_REGISTRYINDEX, kControlTable);
  return 0;
}

}  // namespace

std::optional<std::string> create_window_registry_tables(lua_State* L) {
  return run_protected(L, create_tables, nullptr);
}

}  // namespace vcam::uninstaller
