// The host's calls of the script's bookkeeping functions, in a plain state:
// answers, handles, and errors in the script reported without unwinding.
#include "uninstaller/bindings/bookkeeping_calls.h"

#include <gtest/gtest.h>

#include "uninstaller/bindings/testing/bookkeeping_state.h"
#include "uninstaller/script/window_registry.h"

namespace vcam::uninstaller {
namespace {

using testing::BookkeepingState;

class Bookkeeping : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(script.ready()); }
  void TearDown() override { EXPECT_EQ(lua_gettop(L), 0) << "every call leaves the stack as it was"; }

  // Pushes a new table marked with a name field.
  int new_table(const char* name) {
    lua_newtable(L);
    lua_pushstring(L, name);
    lua_setfield(L, -2, "name");
    return lua_gettop(L);
  }
  std::string name_at(int index) {
    if (!lua_istable(L, index)) return lua_typename(L, lua_type(L, index));
    lua_getfield(L, index, "name");
    std::string name = lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
    lua_pop(L, 1);
    return name;
  }
  // Pushes a function compiled from `body`.
  int new_function(const std::string& body) {
    EXPECT_EQ(luaL_loadstring(L, body.c_str()), LUA_OK);
    return lua_gettop(L);
  }

  BookkeepingState script;
  lua_State* L = script.get();
  int a = 0, b = 0;
  const void* first = &a;
  const void* second = &b;
};

TEST_F(Bookkeeping, TheShippedScriptGivesEveryFunctionAndStopsBeforeItsWindow) {
  const auto& errors = script.output().errors;
  ASSERT_TRUE(script.ready()) << (errors.empty() ? "" : errors.front());
  for (const char* name : {"lua_addWindow", "lua_removeWindow", "lua_queryWindow", "lua_queryWindowHandle",
                           "lua_setMessageHandler", "lua_invokeMessageHandler", "lua_addControl",
                           "lua_removeControl", "lua_queryControl", "lua_queryControlHandle",
                           "lua_queryControlDispatcher", "lua_addHandler", "lua_removeHandler",
                           "lua_invokeHandlers", "lua_setTimer", "lua_killTimer", "lua_removeTimer", "lua_onTimer"}) {
    lua_getglobal(L, name);
    EXPECT_TRUE(lua_isfunction(L, -1)) << name;
    lua_pop(L, 1);
  }
  // Its start-up would have made the event table and called createWindow,
  // which this state does not have; the guard is cleared after it.
  EXPECT_EQ(script.run("assert(event == nil and bookkeepingOnly == nil)"), "");
}

TEST_F(Bookkeeping, WindowsAreFoundByTableAndByHandleUntilRemoved) {
  const int w1 = new_table("one");
  const int w2 = new_table("two");
  add_window(L, w1, first);
  add_window(L, w2, second);
  EXPECT_EQ(window_handle(L, w1), reinterpret_cast<std::uintptr_t>(first));
  EXPECT_EQ(window_handle(L, w2), reinterpret_cast<std::uintptr_t>(second));
  ASSERT_TRUE(push_window(L, second));
  EXPECT_EQ(name_at(-1), "two");
  lua_pop(L, 1);

  remove_window(L, first);
  EXPECT_EQ(window_handle(L, w1), 0u) << "0 when not found";
  ASSERT_TRUE(push_window(L, first));
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 3);
  EXPECT_TRUE(script.output().errors.empty());
}

TEST_F(Bookkeeping, TheMessageHandlerAnswersWithItsIntegerAndZeroWithoutOne) {
  const int w = new_table("w");
  const int other = new_table("other");
  add_window(L, w, first);
  add_window(L, other, second);
  EXPECT_EQ(invoke_message_handler(L, w, "{code=1}"), 0) << "no handler yet";
  const int f = new_function("local text = ... return #text + 40");
  set_message_handler(L, w, f);
  EXPECT_EQ(invoke_message_handler(L, w, "{code=2}"), 48);
  EXPECT_EQ(invoke_message_handler(L, other, "{code=2}"), 0);
  lua_pop(L, 3);
}

TEST_F(Bookkeeping, AnswersThatAreNoIntegerReadAsZeroOrTruncated) {
  const int w = new_table("w");
  add_window(L, w, first);
  for (auto [body, expected] : {std::pair{"return 'text'", 0}, {"return 2.75", 2}, {"return -3", -3},
                                {"return 1e300", 0}, {"return 0/0", 0}, {"return", 0}}) {
    const int f = new_function(body);
    set_message_handler(L, w, f);
    EXPECT_EQ(invoke_message_handler(L, w, "x"), expected) << body;
    lua_pop(L, 1);
  }
  lua_pop(L, 1);
}

TEST_F(Bookkeeping, AFailingHandlerIsReportedAsAWindowErrorAndAnswersZero) {
  const int w = new_table("w");
  add_window(L, w, first);
  const int f = new_function("error('handler broke')");
  set_message_handler(L, w, f);
  EXPECT_EQ(invoke_message_handler(L, w, "x"), 0);
  ASSERT_EQ(script.output().errors.size(), 1u);
  EXPECT_NE(script.output().errors[0].find("window: "), std::string::npos);
  EXPECT_NE(script.output().errors[0].find("handler broke"), std::string::npos);
  // The state keeps working.
  EXPECT_EQ(window_handle(L, w), reinterpret_cast<std::uintptr_t>(first));
  lua_pop(L, 2);
}

TEST_F(Bookkeeping, AMissingBookkeepingFunctionIsReportedNotRaised) {
  ASSERT_EQ(script.run("lua_queryWindowHandle = nil"), "");
  const int w = new_table("w");
  EXPECT_EQ(window_handle(L, w), 0u);
  ASSERT_EQ(script.output().errors.size(), 1u);
  EXPECT_NE(script.output().errors[0].find("call"), std::string::npos) << script.output().errors[0];
  lua_pop(L, 1);
}

TEST_F(Bookkeeping, ControlsHaveOneTripleUnderBothKeys) {
  const int c = new_table("button");
  add_control(L, c, first);
  ASSERT_TRUE(push_control_table(L, first));
  EXPECT_TRUE(lua_rawequal(L, -1, c));
  lua_pop(L, 1);
  EXPECT_EQ(control_handle(L, c), reinterpret_cast<std::uintptr_t>(first));
  ASSERT_TRUE(push_control_dispatcher(L, c));
  EXPECT_TRUE(lua_istable(L, -1));
  lua_pop(L, 1);

  remove_control(L, first);
  EXPECT_EQ(control_handle(L, c), 0u) << "nil reads as no handle";
  ASSERT_TRUE(push_control_table(L, first));
  EXPECT_TRUE(lua_isnil(L, -1));
  ASSERT_TRUE(push_control_dispatcher(L, c));
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 3);
}

TEST_F(Bookkeeping, HandlersReportTheFirstAndTheLastAndStopAtTheFirstTrueAnswer) {
  const int c = new_table("c");
  add_control(L, c, first);
  ASSERT_TRUE(push_control_dispatcher(L, c));
  const int d = lua_gettop(L);
  ASSERT_EQ(script.run("calls = {}"), "");
  const int f1 = new_function("local sender, event, w, l = ... calls[#calls + 1] = 'f1 ' .. sender.name .. ' ' .. event .. ' ' .. w .. ' ' .. l");
  const int f2 = new_function("calls[#calls + 1] = 'f2' return true");
  const int f3 = new_function("calls[#calls + 1] = 'f3' return true");
  EXPECT_TRUE(add_handler(L, d, 30, f1));
  EXPECT_FALSE(add_handler(L, d, 30, f2));
  EXPECT_FALSE(add_handler(L, d, 30, f3));
  EXPECT_TRUE(invoke_handlers(L, d, c, 30, 7, -1));
  EXPECT_FALSE(invoke_handlers(L, d, c, 13, 0, 0)) << "no list for that event";
  ASSERT_EQ(script.run("assert(table.concat(calls, ',') == 'f1 c 30 7 -1,f2', table.concat(calls, ','))"), "");

  EXPECT_FALSE(remove_handler(L, d, 30, f2));
  EXPECT_FALSE(remove_handler(L, d, 30, f1));
  EXPECT_TRUE(remove_handler(L, d, 30, f3)) << "none left";
  EXPECT_TRUE(remove_handler(L, d, 31, f3)) << "there was no list";
  lua_pop(L, 5);
}

TEST_F(Bookkeeping, AFailingEventHandlerIsReportedAndTheEventIsNotHandled) {
  const int c = new_table("c");
  add_control(L, c, first);
  ASSERT_TRUE(push_control_dispatcher(L, c));
  const int d = lua_gettop(L);
  const int f = new_function("local t = nil return t.field");
  add_handler(L, d, 30, f);
  EXPECT_FALSE(invoke_handlers(L, d, c, 30, 0, 0));
  EXPECT_EQ(script.output().errors.size(), 1u);
  EXPECT_FALSE(invoke_handlers(L, d, c, 30, 0, 0));
  EXPECT_EQ(script.output().errors.size(), 2u) << "each failure is reported; the window keeps working";
  lua_pop(L, 3);
}

TEST_F(Bookkeeping, TimersRunByHandleAndGoPerWindow) {
  ASSERT_EQ(script.run("ticks = ''"), "");
  const int t1 = new_function("ticks = ticks .. '1'");
  const int t2 = new_function("ticks = ticks .. '2'");
  int c = 0;
  const void* third = &c;
  set_timer(L, first, t1, first);
  set_timer(L, second, t2, first);
  set_timer(L, third, t1, second);
  on_timer(L, second);
  on_timer(L, first);
  on_timer(L, third);
  kill_timer(L, first, second);  // not that window's timer: stays
  on_timer(L, first);
  remove_timers(L, first);
  on_timer(L, first);
  on_timer(L, second);
  on_timer(L, third);
  ASSERT_EQ(script.run("assert(ticks == '21111', ticks)"), "");
  lua_pop(L, 2);
}

TEST_F(Bookkeeping, HandlesReadBackOnlyAsWholeNonNegativeNumbers) {
  lua_pushnumber(L, handle_number(second));
  EXPECT_EQ(handle_at(L, -1), reinterpret_cast<std::uintptr_t>(second));
  lua_pop(L, 1);
  for (const char* value : {"'1234'", "-8", "2.5", "1/0", "0/0", "2^60", "{}", "nil", "true"}) {
    ASSERT_EQ(luaL_loadstring(L, (std::string("return ") + value).c_str()), LUA_OK);
    lua_call(L, 0, 1);
    EXPECT_EQ(handle_at(L, -1), 0u) << value;
    lua_pop(L, 1);
  }
}

}  // namespace
}  // namespace vcam::uninstaller
