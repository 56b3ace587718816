#include "uninstaller/script/script_args.h"

#include <cmath>
#include <cstring>

#include "common/text_utf.h"
#include "uninstaller/script/script_text.h"

namespace vcam::uninstaller {

namespace {

// Room for any number Lua writes (LUAI_MAXNUMBER2STR is 32).
struct NumberText {
  char text[64];
  std::size_t size;
};

int number_text_body(lua_State* L) {
  auto* number = static_cast<NumberText*>(lua_touserdata(L, 2));
  std::size_t size = 0;
  const char* s = lua_tolstring(L, 1, &size);
  number->size = size < sizeof number->text ? size : sizeof number->text;
  std::memcpy(number->text, s, number->size);
  return 0;
}

// Lua's own text of a number: converted on a copy under a protected call,
// because the conversion allocates and can raise, and the text depends on
// the C library Lua was built with.
std::string number_text(lua_State* L, int index) {
  NumberText number{{}, 0};
  lua_pushcfunction(L, number_text_body);
  lua_pushvalue(L, index < 0 ? index - 1 : index);
  lua_pushlightuserdata(L, &number);
  if (lua_pcall(L, 2, 0, 0) != LUA_OK) {
    lua_pop(L, 1);
    return {};
  }
  return std::string(number.text, number.size);
}

struct PushedText {
  const char* data;
  std::size_t size;
};

int push_text_body(lua_State* L) {
  const auto* text = static_cast<const PushedText*>(lua_touserdata(L, 1));
  lua_pushlstring(L, text->data, text->size);
  return 1;
}

}  // namespace

std::string text_arg(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TSTRING: {
      // A string value converts without allocating.
      std::size_t size = 0;
      const char* s = lua_tolstring(L, index, &size);
      return std::string(s, size);
    }
    case LUA_TNUMBER:
      return number_text(L, index);
    default:
      return {};
  }
}

std::u16string wide_arg(lua_State* L, int index) { return script_text_to_utf16(text_arg(L, index)); }

std::int64_t integer_arg(lua_State* L, int index) {
  int is_number = 0;
  const lua_Number n = lua_tonumberx(L, index, &is_number);
  if (!is_number || !std::isfinite(n)) return 0;
  const lua_Number whole = std::trunc(n);
  // 2^63 is exactly representable; anything at or beyond it would overflow.
  if (whole >= 9223372036854775808.0 || whole < -9223372036854775808.0) return 0;
  return static_cast<std::int64_t>(whole);
}

bool push_text(lua_State* L, std::string_view text) {
  PushedText pushed{text.data(), text.size()};
  // A light C function and a light userdata are plain values: pushing them
  // allocates nothing, and lua_pcall catches everything inside it.
  lua_pushcfunction(L, push_text_body);
  lua_pushlightuserdata(L, &pushed);
  if (lua_pcall(L, 1, 1, 0) != LUA_OK) {
    lua_pop(L, 1);
    return false;
  }
  return true;
}

bool push_wide(lua_State* L, std::u16string_view text) { return push_text(L, utf16_to_utf8(text)); }

std::string pop_error_text(lua_State* L) {
  std::string text;
  switch (lua_type(L, -1)) {
    case LUA_TSTRING:
    case LUA_TNUMBER:
      text = text_arg(L, -1);
      break;
    default:
      text = std::string("(error object is a ") + lua_typename(L, lua_type(L, -1)) + " value)";
      break;
  }
  lua_pop(L, 1);
  return text;
}

std::optional<std::string> run_protected(lua_State* L, lua_CFunction body, void* data) {
  lua_pushcfunction(L, body);
  lua_pushlightuserdata(L, data);
  if (lua_pcall(L, 1, 0, 0) == LUA_OK) return std::nullopt;
  return pop_error_text(L);
}

}  // namespace vcam::uninstaller
