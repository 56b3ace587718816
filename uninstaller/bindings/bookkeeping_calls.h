#pragma once
// The host's calls of the window script's bookkeeping functions (lua_addWindow
// ... lua_onTimer), each with its registry table (__window, __control,
// __timer) as first argument. Every call runs under a protected call: an error
// in the script (a missing function, a failing handler) is reported through
// the state's output and the call answers as if nothing was found, so the
// window keeps working.
//
// A native object is known to the script by a handle, its address as a
// number. A handle read back from the script is only a number: callers match
// it against the objects they know before using it.
#include <lua.hpp>

#include <cstdint>
#include <string_view>

namespace vcam::uninstaller {

lua_Number handle_number(const void* object);
// The handle at `index` as an address value; 0 for anything but a number
// that is a whole, non-negative address.
std::uintptr_t handle_at(lua_State* L, int index);

// Stack indices below are of the caller's frame; none is popped.

// __window
void add_window(lua_State* L, int window_table, const void* window);
void remove_window(lua_State* L, const void* window);
// Pushes the window table, or nil; false when nothing could be pushed.
bool push_window(lua_State* L, const void* window);
// 0 when the table is not a registered window.
std::uintptr_t window_handle(lua_State* L, int window_table);
void set_message_handler(lua_State* L, int window_table, int function);
// The handler's answer as an integer; 0 without a handler or on an error.
std::int32_t invoke_message_handler(lua_State* L, int window_table, std::string_view text);

// __control
void add_control(lua_State* L, int control_table, const void* control);
void remove_control(lua_State* L, const void* control);
// Pushes the control table, or nil; false when nothing could be pushed.
bool push_control_table(lua_State* L, const void* control);
// 0 when the table is not a registered control.
std::uintptr_t control_handle(lua_State* L, int control_table);
// Pushes the dispatcher table, or nil; false when nothing could be pushed.
bool push_control_dispatcher(lua_State* L, int control_table);

// Dispatcher tables.
// True when `function` is the first handler of `event`.
bool add_handler(lua_State* L, int dispatcher, std::int32_t event, int function);
// True when no handler of `event` is left.
bool remove_handler(lua_State* L, int dispatcher, std::int32_t event, int function);
// True when a handler answered true (the event is handled).
bool invoke_handlers(lua_State* L, int dispatcher, int sender, std::int32_t event, lua_Number wparam,
                     lua_Number lparam);

// __timer
void set_timer(lua_State* L, const void* timer, int function, const void* window);
void kill_timer(lua_State* L, const void* timer, const void* window);
void remove_timers(lua_State* L, const void* window);
void on_timer(lua_State* L, const void* timer);

}  // namespace vcam::uninstaller
