#pragma once
// Reading the arguments of a system function and pushing its results without
// ever raising a Lua error. Lua is built as C and raises with longjmp, which
// would skip the destructors of the C++ objects on the way; so nothing here
// calls a Lua function that can raise outside a protected call.
#include <lua.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcam::uninstaller {

// A string argument as it is, a number as Lua writes it ("%.14g"); anything
// else (missing, nil, boolean, table, function, userdata) reads as "".
std::string text_arg(lua_State* L, int index);

// The UTF-16 form of text_arg; ill-formed UTF-8 reads as "".
std::u16string wide_arg(lua_State* L, int index);

// A number, or a string that reads as one, truncated toward zero; anything
// else, and values beyond 64 bits (NaN and infinities included), read as 0.
// Read the same way on 32- and 64-bit builds, so that a DWORD argument is the
// value modulo 2^32 on both.
std::int64_t integer_arg(lua_State* L, int index);

// Pushes the text; on a memory error pushes nothing and returns false.
bool push_text(lua_State* L, std::string_view text);

// Pushes the UTF-8 form of wide text; false when nothing could be pushed.
bool push_wide(lua_State* L, std::u16string_view text);

// The error object on top of the stack as text, popped: strings as they are,
// numbers as Lua writes them, other values described by their type.
std::string pop_error_text(lua_State* L);

// Runs `body(L)` with `data` as its only argument (a light userdata) under a
// protected call. The body may raise; this never does. Returns the error
// text on failure, nothing on success; leaves the stack as it was.
std::optional<std::string> run_protected(lua_State* L, lua_CFunction body, void* data);

}  // namespace vcam::uninstaller
