#include "tools/luarun/script_arguments.h"

#include "uninstaller/script/script_args.h"

namespace vcam::luarun {

namespace {

struct Arguments {
  const std::string* script;
  const std::vector<std::string>* arguments;
};

int set_arguments(lua_State* L) {
  const auto* a = static_cast<const Arguments*>(lua_touserdata(L, 1));
  lua_createtable(L, static_cast<int>(a->arguments->size()), 1);
  lua_pushlstring(L, a->script->data(), a->script->size());
  lua_rawseti(L, -2, 0);
  int i = 1;
  for (const std::string& argument : *a->arguments) {
    lua_pushlstring(L, argument.data(), argument.size());
    lua_rawseti(L, -2, i++);
  }
  lua_setglobal(L, "arg");
  return 0;
}

}  // namespace

std::optional<std::string> set_script_arguments(lua_State* L, const std::string& script,
                                                const std::vector<std::string>& arguments) {
  Arguments a{&script, &arguments};
  return uninstaller::run_protected(L, set_arguments, &a);
}

}  // namespace vcam::luarun
