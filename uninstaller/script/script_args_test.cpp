// Argument reading and result pushing on a real Lua state, with every shape
// of argument a script can pass.
#include "uninstaller/script/script_args.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vcam::uninstaller {
namespace {

struct LuaCloser {
  void operator()(lua_State* L) const { lua_close(L); }
};

class ScriptArgs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(L_);
    luaL_openlibs(L_.get());
  }
  // Evaluates `expression` and leaves its value at stack index 1 (nothing
  // for an expression list that is empty).
  void push_value(const std::string& expression) {
    lua_settop(L_.get(), 0);
    ASSERT_EQ(luaL_loadstring(L_.get(), ("return " + expression).c_str()), LUA_OK) << expression;
    ASSERT_EQ(lua_pcall(L_.get(), 0, LUA_MULTRET, 0), LUA_OK) << expression;
  }
  std::string text_of(const std::string& expression) {
    push_value(expression);
    return text_arg(L_.get(), 1);
  }
  std::int64_t integer_of(const std::string& expression) {
    push_value(expression);
    return integer_arg(L_.get(), 1);
  }

  std::unique_ptr<lua_State, LuaCloser> L_{luaL_newstate()};
};

TEST_F(ScriptArgs, StringsAndNumbersReadAsTheirText) {
  EXPECT_EQ(text_of("'C:\\\\a.exe'"), "C:\\a.exe");
  EXPECT_EQ(text_of("'卸载'"), "卸载");
  EXPECT_EQ(text_of("12"), "12");
  EXPECT_EQ(text_of("1.5"), "1.5");
  EXPECT_EQ(text_of("-2147483647"), "-2147483647");
  EXPECT_EQ(text_of("2^53"), "9.007199254741e+15");
  EXPECT_EQ(text_of("'a\\0b'"), std::string("a\0b", 3));
}

TEST_F(ScriptArgs, NumberTextIsWhatLuaItselfWrites) {
  for (const char* n : {"0", "-0", "0.1", "1e300", "-1e-300", "123456789012345", "1/0", "-1/0"}) {
    push_value(std::string("tostring(") + n + "), " + n);
    EXPECT_EQ(text_arg(L_.get(), 2), text_arg(L_.get(), 1)) << n;
  }
}

TEST_F(ScriptArgs, EveryOtherShapeReadsAsAnEmptyString) {
  for (const char* shape : {"", "nil", "true", "false", "{}", "{'x'}", "print", "io.stdout",
                            "coroutine.create(print)", "setmetatable({}, {__tostring = function() return 'x' end})"}) {
    EXPECT_EQ(text_of(shape), "") << shape;
  }
}

TEST_F(ScriptArgs, ReadingANumberLeavesItANumber) {
  push_value("42");
  text_arg(L_.get(), 1);
  EXPECT_EQ(lua_type(L_.get(), 1), LUA_TNUMBER);
}

TEST_F(ScriptArgs, WideArgumentsOfIllFormedTextAreEmpty) {
  push_value("'ok', '\\255', '路径'");
  EXPECT_EQ(wide_arg(L_.get(), 1), u"ok");
  EXPECT_EQ(wide_arg(L_.get(), 2), u"");
  EXPECT_EQ(wide_arg(L_.get(), 3), u"路径");
}

TEST_F(ScriptArgs, IntegersTruncateTowardZero) {
  EXPECT_EQ(integer_of("12"), 12);
  EXPECT_EQ(integer_of("1.9"), 1);
  EXPECT_EQ(integer_of("-1.9"), -1);
  EXPECT_EQ(integer_of("'10'"), 10);
  EXPECT_EQ(integer_of("'0x40'"), 64);
  EXPECT_EQ(integer_of("4294967295"), 4294967295LL);
  EXPECT_EQ(integer_of("-2147483648"), -2147483648LL);
  EXPECT_EQ(integer_of("2^62"), 4611686018427387904LL);
}

TEST_F(ScriptArgs, NonNumbersAndNumbersBeyondSixtyFourBitsReadAsZero) {
  for (const char* shape : {"", "nil", "true", "{}", "'abc'", "'10 apples'", "print", "0/0", "1/0", "-1/0", "2^63",
                            "-2^64", "1e300"}) {
    EXPECT_EQ(integer_of(shape), 0) << shape;
  }
  EXPECT_EQ(integer_of("-2^63"), INT64_MIN);
}

TEST_F(ScriptArgs, PushedTextArrivesWhole) {
  lua_settop(L_.get(), 0);
  ASSERT_TRUE(push_text(L_.get(), std::string_view("a\0b", 3)));
  ASSERT_TRUE(push_wide(L_.get(), u"卸载"));
  ASSERT_EQ(lua_gettop(L_.get()), 2);
  std::size_t n = 0;
  const char* s = lua_tolstring(L_.get(), 1, &n);
  EXPECT_EQ(std::string(s, n), std::string("a\0b", 3));
  EXPECT_STREQ(lua_tostring(L_.get(), 2), "卸载");
}

TEST_F(ScriptArgs, ErrorObjectsOfAnyTypeBecomeText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"'boom'", "boom"}, {"7", "7"}, {"nil", "(error object is a nil value)"},
      {"{}", "(error object is a table value)"}, {"true", "(error object is a boolean value)"}};
  for (const auto& [value, text] : cases) {
    push_value("1, " + value);
    EXPECT_EQ(pop_error_text(L_.get()), text);
    EXPECT_EQ(lua_gettop(L_.get()), 1) << "the error object is popped";
  }
}

TEST_F(ScriptArgs, AProtectedBodyThatRaisesReportsAndLeavesTheStackAsItWas) {
  lua_settop(L_.get(), 0);
  lua_pushinteger(L_.get(), 5);
  int calls = 0;
  const auto raising = [](lua_State* L) -> int {
    ++*static_cast<int*>(lua_touserdata(L, 1));
    lua_pushnumber(L, 1);
    lua_pushnumber(L, 2);
    return luaL_error(L, "no %s", "luck");
  };
  const auto error = run_protected(L_.get(), raising, &calls);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "no luck");
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(lua_gettop(L_.get()), 1);
  EXPECT_EQ(lua_tointeger(L_.get(), 1), 5);
  EXPECT_FALSE(run_protected(L_.get(), [](lua_State*) { return 0; }, nullptr));
  EXPECT_EQ(lua_gettop(L_.get()), 1);
}

// A state whose allocator refuses to grow once told to (Lua requires that
// shrinking never fails): pushing text then fails without raising.
void* limited_alloc(void* ud, void* ptr, std::size_t osize, std::size_t nsize) {
  const bool refuse = *static_cast<bool*>(ud);
  if (nsize == 0) {
    std::free(ptr);
    return nullptr;
  }
  if (refuse && (!ptr || nsize > osize)) return nullptr;
  return std::realloc(ptr, nsize);
}

TEST(ScriptArgsOutOfMemory, PushingTextFailsQuietlyWhenMemoryRunsOut) {
  bool refuse = false;
  lua_State* L = lua_newstate(limited_alloc, &refuse);
  ASSERT_TRUE(L);
  lua_pushinteger(L, 1);
  refuse = true;
  EXPECT_FALSE(push_text(L, std::string(1000, 'x')));
  EXPECT_EQ(lua_gettop(L), 1);
  refuse = false;
  EXPECT_TRUE(push_text(L, std::string(1000, 'x')));
  EXPECT_EQ(lua_gettop(L), 2);
  lua_close(L);
}

}  // namespace
}  // namespace vcam::uninstaller
