#include "uninstaller/script/script_state.h"

#include "uninstaller/script/script_args.h"

namespace vcam::uninstaller {

namespace {

// The state's own object, kept in its registry under this key's address so
// that the functions can find its kind and output.
const char kStateKey = 0;

struct SetupData {
  const ScriptSetup* setup;
  ScriptState* state;
};

int set_up(lua_State* L) {
  const auto* data = static_cast<const SetupData*>(lua_touserdata(L, 1));
  luaL_openlibs(L);
  lua_pushlightuserdata(L, data->state);
  lua_rawsetp(L, LUA_REGISTRYINDEX, &kStateKey);
  lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
  for (const luaL_Reg* group : data->setup->groups)
    if (group) luaL_setfuncs(L, group, 0);
  lua_pop(L, 1);
  for (const GlobalNumber& number : data->setup->numbers) {
    lua_pushnumber(L, number.value);
    lua_setglobal(L, number.name);
  }
  return 0;
}

}  // namespace

ScriptState* ScriptState::owner_of(lua_State* L) {
  lua_rawgetp(L, LUA_REGISTRYINDEX, &kStateKey);
  auto* state = static_cast<ScriptState*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  return state;
}

ScriptState::ScriptState(const ScriptSetup& setup) : kind_(setup.kind), output_(setup.output) {
  lua_State* L = luaL_newstate();
  if (!L) return;
  // Opening the libraries allocates and can raise: under protection, so an
  // out-of-memory start ends in an unusable state rather than a panic.
  SetupData data{&setup, this};
  if (run_protected(L, set_up, &data)) {
    lua_close(L);
    return;
  }
  L_ = L;
}

ScriptState::~ScriptState() {
  if (L_) lua_close(L_);
}

std::optional<std::string> ScriptState::run_loaded(int load_status, int top) {
  std::optional<std::string> error;
  if (load_status != LUA_OK || lua_pcall(L_, 0, LUA_MULTRET, 0) != LUA_OK) error = pop_error_text(L_);
  lua_settop(L_, top);
  return error;
}

std::optional<std::string> ScriptState::run_string(const char* text) {
  if (!L_) return std::string("not enough memory");
  const int top = lua_gettop(L_);
  return run_loaded(luaL_loadstring(L_, text ? text : ""), top);
}

std::optional<std::string> ScriptState::run_file_text(std::string_view text, const std::string& chunk_name) {
  if (!L_) return std::string("not enough memory");
  const int top = lua_gettop(L_);
  return run_loaded(luaL_loadbufferx(L_, text.data(), text.size(), chunk_name.c_str(), "t"), top);
}

bool ScriptState::call_back(lua_State* L, int nargs, int nresults) {
  const int base = lua_gettop(L) - nargs - 1;
  if (lua_pcall(L, nargs, nresults, 0) == LUA_OK) return true;
  const std::string message = pop_error_text(L);
  lua_settop(L, base);
  // The stack had room for the function and its arguments, which are gone.
  if (nresults != LUA_MULTRET && lua_checkstack(L, nresults))
    for (int i = 0; i < nresults; ++i) lua_pushnil(L);
  const ScriptState* state = owner_of(L);
  if (state && state->output_) state->output_->report_error(state->kind_, message);
  return false;
}

ScriptKind ScriptState::kind_of(lua_State* L) {
  const ScriptState* state = owner_of(L);
  return state ? state->kind_ : ScriptKind::worker;
}

ScriptOutput* ScriptState::output_of(lua_State* L) {
  const ScriptState* state = owner_of(L);
  return state ? state->output_ : nullptr;
}

}  // namespace vcam::uninstaller
