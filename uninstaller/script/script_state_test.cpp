// Script states as the host makes them: libraries, function groups, numbers,
// runs and the protected calls of callbacks.
#include "uninstaller/script/script_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstaller/script/script_args.h"
#include "uninstaller/script/testing/recording_output.h"
#include "uninstaller/script/window_registry.h"

namespace vcam::uninstaller {
namespace {

using testing::RecordingOutput;

// A "print" of the program, to see that it replaces the standard one.
int recording_print(lua_State* L) {
  ScriptState::output_of(L)->print_line("program print: " + text_arg(L, 1));
  return 0;
}
int answer(lua_State* L) {
  lua_pushnumber(L, 42);
  return 1;
}
const luaL_Reg kFirstGroup[] = {{"print", recording_print}, {"answer", answer}, {nullptr, nullptr}};
const luaL_Reg kSecondGroup[] = {{"answer2", answer}, {nullptr, nullptr}};
const GlobalNumber kNumbers[] = {{"HKEY_CURRENT_USER", -2147483647}, {"ZERO", 0}};

class ScriptStateTest : public ::testing::Test {
 protected:
  ScriptSetup setup(ScriptKind kind) {
    ScriptSetup s;
    s.kind = kind;
    s.groups = {kFirstGroup, kSecondGroup};
    s.numbers = kNumbers;
    s.output = &output_;
    return s;
  }
  RecordingOutput output_;
  ScriptState state_{setup(ScriptKind::worker)};
};

TEST_F(ScriptStateTest, EveryStandardLibraryIsOpen) {
  ASSERT_TRUE(state_.ok());
  EXPECT_FALSE(state_.run_string(
      "for _, name in ipairs{'_G', 'package', 'coroutine', 'table', 'io', 'os', 'string', 'bit32', 'math', 'debug'} do\n"
      "  assert(type(_G[name]) == 'table', name)\n"
      "end\n"
      "assert(type(require) == 'function')"));
}

TEST_F(ScriptStateTest, ProgramFunctionsReplaceStandardOnesAndNumbersAreGlobals) {
  EXPECT_FALSE(state_.run_string("print('hello'); assert(answer() == 42 and answer2() == 42)\n"
                                 "assert(HKEY_CURRENT_USER == -2147483647 and ZERO == 0)"));
  EXPECT_EQ(output_.lines, std::vector<std::string>{"program print: hello"});
}

TEST_F(ScriptStateTest, ASyntaxErrorIsReturnedNotReported) {
  const auto error = state_.run_string("x = = 1");
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("[string \"x = = 1\"]:1:"), std::string::npos) << *error;
  EXPECT_TRUE(output_.errors.empty());
}

TEST_F(ScriptStateTest, RuntimeErrorsOfAnyValueAreReturnedAsText) {
  EXPECT_EQ(state_.run_string("error('plain', 0)"), "plain");
  EXPECT_EQ(state_.run_string("error(12, 0)"), "12");
  EXPECT_EQ(state_.run_string("error()"), "(error object is a nil value)");
  EXPECT_EQ(state_.run_string("error(setmetatable({}, {__tostring = error}))"), "(error object is a table value)");
  const auto located = state_.run_string("local t = nil\nreturn t.x");
  ASSERT_TRUE(located);
  EXPECT_NE(located->find(":2: attempt to index"), std::string::npos) << *located;
}

TEST_F(ScriptStateTest, RunsLeaveTheStackAsTheyFoundIt) {
  const int top = lua_gettop(state_.get());
  EXPECT_FALSE(state_.run_string("return 1, 2, 3, {}, 'x'"));
  EXPECT_EQ(lua_gettop(state_.get()), top);
  EXPECT_TRUE(state_.run_string("error('x')"));
  EXPECT_EQ(lua_gettop(state_.get()), top);
  EXPECT_TRUE(state_.run_string("x = = 1"));
  EXPECT_EQ(lua_gettop(state_.get()), top);
}

TEST_F(ScriptStateTest, TextEndsAtItsFirstNulLikeAnyCString) {
  const std::string text("done = true\0error('never')", 26);
  EXPECT_FALSE(state_.run_string(text.c_str()));
  EXPECT_FALSE(state_.run_string(nullptr));
}

TEST_F(ScriptStateTest, FileTextNamesItsChunkAndRefusesBinaryChunks) {
  const auto error = state_.run_file_text("error('here')", "@tool.lua");
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "tool.lua:1: here");
  // A compiled chunk of the same state is refused as the file's text.
  ASSERT_FALSE(state_.run_string("dumped = string.dump(function() return 1 end)"));
  lua_getglobal(state_.get(), "dumped");
  const std::string binary = text_arg(state_.get(), -1);
  lua_pop(state_.get(), 1);
  ASSERT_FALSE(binary.empty());
  const auto refused = state_.run_file_text(binary, "=bin");
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("binary"), std::string::npos) << *refused;
}

TEST_F(ScriptStateTest, ACallbackErrorIsReportedWithTheStateKindAndItsResultsBecomeNil) {
  ScriptState window(setup(ScriptKind::window));
  lua_State* L = window.get();
  ASSERT_FALSE(window.run_string("function handler(a, b) if a == 'bad' then error('handler failed', 0) end "
                                 "return a .. b, 2 end"));
  lua_settop(L, 0);
  lua_pushinteger(L, 99);
  lua_getglobal(L, "handler");
  lua_pushstring(L, "bad");
  lua_pushstring(L, "x");
  EXPECT_FALSE(ScriptState::call_back(L, 2, 2));
  ASSERT_EQ(lua_gettop(L), 3) << "the marker and two results in place";
  EXPECT_EQ(lua_tointeger(L, 1), 99);
  EXPECT_TRUE(lua_isnil(L, 2));
  EXPECT_TRUE(lua_isnil(L, 3));
  EXPECT_EQ(output_.errors, std::vector<std::string>{"window: handler failed"});

  lua_settop(L, 0);
  lua_getglobal(L, "handler");
  lua_pushstring(L, "good");
  lua_pushstring(L, "!");
  EXPECT_TRUE(ScriptState::call_back(L, 2, 1));
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_STREQ(lua_tostring(L, 1), "good!");
  EXPECT_EQ(output_.errors.size(), 1u);
}

TEST_F(ScriptStateTest, CallingSomethingThatIsNotAFunctionIsACallbackError) {
  lua_State* L = state_.get();
  lua_settop(L, 0);
  lua_pushnil(L);
  EXPECT_FALSE(ScriptState::call_back(L, 0, LUA_MULTRET));
  EXPECT_EQ(lua_gettop(L), 0);
  ASSERT_EQ(output_.errors.size(), 1u);
  EXPECT_EQ(output_.errors[0], "worker: attempt to call a nil value");
}

TEST_F(ScriptStateTest, KindAndOutputAreFoundFromTheState) {
  EXPECT_EQ(ScriptState::kind_of(state_.get()), ScriptKind::worker);
  EXPECT_EQ(ScriptState::output_of(state_.get()), &output_);
  ScriptState window(setup(ScriptKind::window));
  EXPECT_EQ(ScriptState::kind_of(window.get()), ScriptKind::window);
}

TEST_F(ScriptStateTest, WindowRegistryTablesStartEmptyWithTheControlMapsInPlace) {
  lua_State* L = state_.get();
  ASSERT_FALSE(create_window_registry_tables(L));
  lua_pushcfunction(L, [](lua_State* S) -> int {
    lua_getfield(S, LUA_REGISTRYINDEX, kWindowTable);
    lua_getfield(S, LUA_REGISTRYINDEX, kTimerTable);
    lua_getfield(S, LUA_REGISTRYINDEX, kControlTable);
    return 3;
  });
  lua_setglobal(L, "registry_tables");
  EXPECT_FALSE(state_.run_string(
      "local w, t, c = registry_tables()\n"
      "assert(type(w) == 'table' and next(w) == nil, 'window')\n"
      "assert(type(t) == 'table' and next(t) == nil, 'timer')\n"
      "assert(#c == 2 and next(c[1]) == nil and next(c[2]) == nil and c[1] ~= c[2], 'control')"));
}

}  // namespace
}  // namespace vcam::uninstaller
