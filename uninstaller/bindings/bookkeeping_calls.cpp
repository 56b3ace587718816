#include "uninstaller/bindings/bookkeeping_calls.h"

#include <cmath>
#include <initializer_list>

#include "uninstaller/script/script_state.h"
#include "uninstaller/script/window_registry.h"

namespace vcam::uninstaller {

namespace {

// One argument of a bookkeeping call after the registry table.
struct Arg {
  enum Kind { value, number, text } kind;
  int index = 0;          // value: an absolute stack index of the caller
  lua_Number n = 0;       // number
  std::string_view s{};   // text
};

Arg value_at(lua_State* L, int index) { return {Arg::value, lua_absindex(L, index)}; }
Arg number_of(lua_Number n) { return {Arg::number, 0, n}; }
Arg handle_of(const void* object) { return number_of(handle_number(object)); }
Arg text_of(std::string_view s) { return {Arg::text, 0, 0, s}; }

constexpr int kMaxArgs = 6;

struct Request {
  const char* function;
  const char* table;
  Arg args[kMaxArgs];
  int count;
  int results;
};

// Runs inside the protected call: the values and numbers arrived as its
// arguments 2.., the texts are pushed here because pushing one allocates.
int call_body(lua_State* L) {
  const auto* request = static_cast<const Request*>(lua_touserdata(L, 1));
  lua_getglobal(L, request->function);
  if (request->table) lua_getfield(L, LUA_REGISTRYINDEX, request->table);
  for (int i = 0; i < request->count; ++i) {
    if (request->args[i].kind == Arg::text)
      lua_pushlstring(L, request->args[i].s.data(), request->args[i].s.size());
    else
      lua_pushvalue(L, 2 + i);
  }
  lua_call(L, request->count + (request->table ? 1 : 0), request->results);
  return request->results;
}

// Leaves `results` values (nils after an error) and returns true, or leaves
// nothing and returns false when the stack has no room.
// A null `table`: the first argument takes its place (the dispatcher calls).
bool call(lua_State* L, const char* function, const char* table, const Arg* args, int count, int results) {
  if (count > kMaxArgs || !lua_checkstack(L, kMaxArgs + results + 4)) return false;
  Request request{function, table, {}, count, results};
  for (int i = 0; i < count; ++i) request.args[i] = args[i];
  lua_pushcfunction(L, call_body);
  lua_pushlightuserdata(L, &request);
  for (int i = 0; i < count; ++i) {
    const Arg& a = args[i];
    switch (a.kind) {
      case Arg::value: lua_pushvalue(L, a.index); break;
      case Arg::number: lua_pushnumber(L, a.n); break;
      case Arg::text: lua_pushnil(L); break;
    }
  }
  ScriptState::call_back(L, request.count + 1, results);
  return true;
}

bool call(lua_State* L, const char* function, const char* table, std::initializer_list<Arg> args, int results) {
  return call(L, function, table, args.begin(), static_cast<int>(args.size()), results);
}

void call_for_nothing(lua_State* L, const char* function, const char* table, std::initializer_list<Arg> args) {
  call(L, function, table, args, 0);
}

std::uintptr_t call_for_handle(lua_State* L, const char* function, const char* table,
                               std::initializer_list<Arg> args) {
  if (!call(L, function, table, args, 1)) return 0;
  const std::uintptr_t handle = handle_at(L, -1);
  lua_pop(L, 1);
  return handle;
}

}  // namespace

lua_Number handle_number(const void* object) {
  return static_cast<lua_Number>(reinterpret_cast<std::uintptr_t>(object));
}

std::uintptr_t handle_at(lua_State* L, int index) {
  if (lua_type(L, index) != LUA_TNUMBER) return 0;
  const lua_Number n = lua_tonumber(L, index);
  // Addresses are below 2^53 on every target, so they survive as doubles.
  if (!std::isfinite(n) || n < 0 || n >= 9007199254740992.0 || std::trunc(n) != n) return 0;
  const auto value = static_cast<std::uint64_t>(n);
  if (value > UINTPTR_MAX) return 0;
  return static_cast<std::uintptr_t>(value);
}

void add_window(lua_State* L, int window_table, const void* window) {
  call_for_nothing(L, "lua_addWindow", kWindowTable, {value_at(L, window_table), handle_of(window)});
}

void remove_window(lua_State* L, const void* window) {
  call_for_nothing(L, "lua_removeWindow", kWindowTable, {handle_of(window)});
}

bool push_window(lua_State* L, const void* window) {
  return call(L, "lua_queryWindow", kWindowTable, {handle_of(window)}, 1);
}

std::uintptr_t window_handle(lua_State* L, int window_table) {
  return call_for_handle(L, "lua_queryWindowHandle", kWindowTable, {value_at(L, window_table)});
}

void set_message_handler(lua_State* L, int window_table, int function) {
  call_for_nothing(L, "lua_setMessageHandler", kWindowTable, {value_at(L, window_table), value_at(L, function)});
}

std::int32_t invoke_message_handler(lua_State* L, int window_table, std::string_view text) {
  if (!call(L, "lua_invokeMessageHandler", kWindowTable, {value_at(L, window_table), text_of(text)}, 1)) return 0;
  std::int32_t answer = 0;
  if (lua_type(L, -1) == LUA_TNUMBER) {
    const lua_Number n = lua_tonumber(L, -1);
    // Read as the message result, a 32-bit integer.
    if (std::isfinite(n) && n >= -2147483648.0 && n < 2147483648.0) answer = static_cast<std::int32_t>(n);
  }
  lua_pop(L, 1);
  return answer;
}

void add_control(lua_State* L, int control_table, const void* control) {
  call_for_nothing(L, "lua_addControl", kControlTable, {value_at(L, control_table), handle_of(control)});
}

void remove_control(lua_State* L, const void* control) {
  call_for_nothing(L, "lua_removeControl", kControlTable, {handle_of(control)});
}

bool push_control_table(lua_State* L, const void* control) {
  return call(L, "lua_queryControl", kControlTable, {handle_of(control)}, 1);
}

std::uintptr_t control_handle(lua_State* L, int control_table) {
  return call_for_handle(L, "lua_queryControlHandle", kControlTable, {value_at(L, control_table)});
}

bool push_control_dispatcher(lua_State* L, int control_table) {
  return call(L, "lua_queryControlDispatcher", kControlTable, {value_at(L, control_table)}, 1);
}

namespace {

// The dispatcher functions take the dispatcher itself first, in place of a
// registry table; they answer with one value.
bool call_dispatcher(lua_State* L, const char* function, int dispatcher, std::initializer_list<Arg> args) {
  if (args.size() + 1 > kMaxArgs) return false;
  Arg all[kMaxArgs];
  all[0] = value_at(L, dispatcher);
  int i = 1;
  for (const Arg& a : args) all[i++] = a;
  return call(L, function, nullptr, all, i, 1);
}

}  // namespace

bool add_handler(lua_State* L, int dispatcher, std::int32_t event, int function) {
  if (!call_dispatcher(L, "lua_addHandler", dispatcher, {number_of(event), value_at(L, function)})) return false;
  const bool first = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  return first;
}

bool remove_handler(lua_State* L, int dispatcher, std::int32_t event, int function) {
  if (!call_dispatcher(L, "lua_removeHandler", dispatcher, {number_of(event), value_at(L, function)})) return false;
  const bool none_left = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  return none_left;
}

bool invoke_handlers(lua_State* L, int dispatcher, int sender, std::int32_t event, lua_Number wparam,
                     lua_Number lparam) {
  if (!call_dispatcher(L, "lua_invokeHandlers", dispatcher,
                       {value_at(L, sender), number_of(event), number_of(wparam), number_of(lparam)}))
    return false;
  const bool handled = lua_toboolean(L, -1) != 0;
  lua_pop(L, 1);
  return handled;
}

void set_timer(lua_State* L, const void* timer, int function, const void* window) {
  call_for_nothing(L, "lua_setTimer", kTimerTable, {handle_of(timer), value_at(L, function), handle_of(window)});
}

void kill_timer(lua_State* L, const void* timer, const void* window) {
  call_for_nothing(L, "lua_killTimer", kTimerTable, {handle_of(timer), handle_of(window)});
}

void remove_timers(lua_State* L, const void* window) {
  call_for_nothing(L, "lua_removeTimer", kTimerTable, {handle_of(window)});
}

void on_timer(lua_State* L, const void* timer) { call_for_nothing(L, "lua_onTimer", kTimerTable, {handle_of(timer)}); }

}  // namespace vcam::uninstaller
