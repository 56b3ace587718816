// "UI.lua" in a plain state: its bookkeeping functions answer the host's
// calls as contracted, its clicks and notification answers drive the window,
// and a needed restart is asked for after the dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/scripts/testing/script_files.h"

namespace vcam::uninstaller {
namespace {

using testing::ScriptUnderTest;

const std::string kDir = VCAM_SCRIPTS_DIR;

const void* address(std::uintptr_t n) { return reinterpret_cast<const void*>(n); }

class WindowScript : public ::testing::Test {
 protected:
  // Runs UI.lua after `setup` (Lua text run before it, with the stand-ins).
  void start(const std::string& setup = "") {
    lua_pushnumber(L, handle_number(&window_object));
    lua_setglobal(L, "windowHandle");
    ASSERT_EQ(script.run_file(kDir + "/testdata/window_stubs.lua"), "");
    ASSERT_EQ(script.run(setup), "");
    ASSERT_EQ(script.run_file(kDir + "/UI.lua"), "");
  }
  void TearDown() override {
    EXPECT_EQ(lua_gettop(L), 0) << "every call leaves the stack as it was";
    EXPECT_TRUE(script.output().errors.empty()) << script.output().errors.front();
  }
  std::string calls() { return script.eval("table.concat(calls, '\\n')"); }

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
  int new_function(const std::string& body) {
    EXPECT_EQ(luaL_loadstring(L, body.c_str()), LUA_OK);
    return lua_gettop(L);
  }
  // The window's answer to a notification, sent as the host sends it.
  std::int32_t notify(const std::string& text) {
    EXPECT_TRUE(push_window(L, &window_object));
    const std::int32_t answer = invoke_message_handler(L, lua_gettop(L), text);
    lua_pop(L, 1);
    return answer;
  }
  // A click on the control with that id, delivered as the host delivers it.
  bool click(std::uintptr_t id) {
    if (!push_control_table(L, address(id))) return false;
    const int control = lua_gettop(L);
    bool handled = false;
    if (push_control_dispatcher(L, control)) {
      handled = invoke_handlers(L, lua_gettop(L), control, 30, 0, 0);
      lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return handled;
  }

  ScriptUnderTest script{ScriptKind::window};
  lua_State* L = script.get();
  int window_object = 0;
  int a = 0, b = 0, c = 0;
};

TEST_F(WindowScript, WindowsAreFiledQueriedAndRemovedByHandle) {
  start();
  const int w1 = new_table("one");
  const int w2 = new_table("two");
  add_window(L, w1, &a);
  add_window(L, w2, &b);
  EXPECT_EQ(window_handle(L, w1), reinterpret_cast<std::uintptr_t>(&a));
  ASSERT_TRUE(push_window(L, &b));
  EXPECT_EQ(name_at(-1), "two");
  lua_pop(L, 1);
  const int unknown = new_table("unknown");
  EXPECT_EQ(window_handle(L, unknown), 0u) << "0, not nil, for an unknown window";

  // A handle filed twice loses only its first entry per removal.
  const int again = new_table("again");
  add_window(L, again, &a);
  remove_window(L, &a);
  EXPECT_EQ(window_handle(L, w1), 0u);
  ASSERT_TRUE(push_window(L, &a));
  EXPECT_EQ(name_at(-1), "again");
  lua_pop(L, 1);
  remove_window(L, &a);
  ASSERT_TRUE(push_window(L, &a));
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 5);
}

TEST_F(WindowScript, MessageHandlersAnswerForTheirWindowOnly) {
  start();
  const int w = new_table("w");
  const int other = new_table("other");
  add_window(L, w, &a);
  add_window(L, other, &b);
  EXPECT_EQ(invoke_message_handler(L, w, "{code=1}"), 0) << "no handler yet";
  const int f = new_function("local text = ... return #text * 2");
  set_message_handler(L, w, f);
  EXPECT_EQ(invoke_message_handler(L, w, "{code=1}"), 16);
  EXPECT_EQ(invoke_message_handler(L, other, "{code=1}"), 0);
  const int stranger = new_table("stranger");
  set_message_handler(L, stranger, f);
  EXPECT_EQ(invoke_message_handler(L, stranger, "{code=1}"), 0) << "an unfiled window gets no handler";
  lua_pop(L, 4);
}

TEST_F(WindowScript, ControlsAreFoundBothWaysWithOneDispatcherUntilRemoved) {
  start();
  const int control = new_table("button");
  add_control(L, control, &a);
  EXPECT_EQ(control_handle(L, control), reinterpret_cast<std::uintptr_t>(&a));
  ASSERT_TRUE(push_control_table(L, &a));
  EXPECT_TRUE(lua_rawequal(L, -1, control)) << "the same table, not a copy";
  lua_pop(L, 1);
  ASSERT_TRUE(push_control_dispatcher(L, control));
  ASSERT_TRUE(lua_istable(L, -1));
  ASSERT_TRUE(push_control_dispatcher(L, control));
  EXPECT_TRUE(lua_rawequal(L, -1, -2)) << "one dispatcher per control";
  lua_pop(L, 2);

  remove_control(L, &a);
  EXPECT_EQ(control_handle(L, control), 0u);
  ASSERT_TRUE(push_control_table(L, &a));
  EXPECT_TRUE(lua_isnil(L, -1));
  ASSERT_TRUE(push_control_dispatcher(L, control));
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 2);
  remove_control(L, &b);  // unknown: nothing happens
  lua_pop(L, 1);
}

TEST_F(WindowScript, HandlersReportTheFirstAddedAndTheLastRemoved) {
  start();
  const int dispatcher = new_table("dispatcher");
  const int f = new_function("calls[#calls + 1] = 'f'");
  const int g = new_function("calls[#calls + 1] = 'g' return true");
  const int h = new_function("calls[#calls + 1] = 'h' return true");
  EXPECT_TRUE(remove_handler(L, dispatcher, 30, f)) << "no list: nothing is left";
  EXPECT_TRUE(add_handler(L, dispatcher, 30, f));
  EXPECT_FALSE(add_handler(L, dispatcher, 30, g));
  EXPECT_FALSE(add_handler(L, dispatcher, 30, h));
  EXPECT_TRUE(add_handler(L, dispatcher, 13, h)) << "first for another event";

  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_TRUE(invoke_handlers(L, dispatcher, dispatcher, 30, 0, 0));
  EXPECT_EQ(script.eval("table.concat(calls, ',')"), "f,g") << "the first true answer stops the list";
  EXPECT_FALSE(invoke_handlers(L, dispatcher, dispatcher, 5, 0, 0)) << "no handlers: not handled";

  EXPECT_FALSE(remove_handler(L, dispatcher, 30, g));
  EXPECT_FALSE(remove_handler(L, dispatcher, 30, f));
  EXPECT_FALSE(remove_handler(L, dispatcher, 30, f)) << "not in the list: h is still there";
  EXPECT_TRUE(remove_handler(L, dispatcher, 30, h));
  EXPECT_TRUE(add_handler(L, dispatcher, 30, f)) << "first again after the list emptied";
  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_FALSE(invoke_handlers(L, dispatcher, dispatcher, 30, 0, 0)) << "f answers nothing";
  EXPECT_EQ(script.eval("table.concat(calls, ',')"), "f");
  lua_pop(L, 4);
}

TEST_F(WindowScript, TimersAreKilledByBothHandlesAndRemovedPerWindow) {
  start();
  const int f = new_function("calls[#calls + 1] = 'f'");
  const int g = new_function("calls[#calls + 1] = 'g'");
  set_timer(L, &a, f, &window_object);
  set_timer(L, &b, g, &window_object);
  set_timer(L, &a, g, &c);
  ASSERT_EQ(script.run("calls = {}"), "");
  on_timer(L, &a);
  EXPECT_EQ(script.eval("table.concat(calls, ',')"), "f") << "the first entry of that timer";

  kill_timer(L, &a, &c);
  ASSERT_EQ(script.run("calls = {}"), "");
  on_timer(L, &a);
  EXPECT_EQ(script.eval("table.concat(calls, ',')"), "f") << "the other window's timer went";

  remove_timers(L, &window_object);
  ASSERT_EQ(script.run("calls = {}"), "");
  on_timer(L, &a);
  on_timer(L, &b);
  EXPECT_EQ(script.eval("#calls"), "0") << "every timer of the window went";
  EXPECT_EQ(script.eval("#debug.getregistry().__timer"), "0");
  lua_pop(L, 2);
}

TEST_F(WindowScript, StartsTheWindowThenRunsItAsADialog) {
  start();
  EXPECT_EQ(calls(),
            "createWindow mainframe.xml\nsetIcon 2\nsetTitle 卸载Olvana\ncenterScreen\nsetMessageHandler\nshowDialog");
  EXPECT_EQ(script.eval("event.Click"), "30");
  EXPECT_EQ(script.eval("event.LButtonDown"), "13");
  EXPECT_EQ(script.eval("event.MouseMove"), "25");
  EXPECT_EQ(script.eval("event.Notify"), "32");
}

TEST_F(WindowScript, ClicksCancelFinishOrStartTheWork) {
  start();
  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_FALSE(click(1004));
  EXPECT_EQ(calls(), "1005 visible true\n1002 visible false\nstartWork LG.lua");
  for (std::uintptr_t id : {1003u, 5000u}) {
    ASSERT_EQ(script.run("calls = {}"), "");
    click(id);
    EXPECT_EQ(calls(), "endDialog 2\nsetUserCanceled") << id;
  }
  ASSERT_EQ(script.run("calls = {}"), "");
  click(2001);
  EXPECT_EQ(calls(), "endDialog 2") << "finishing is no cancellation";
}

TEST_F(WindowScript, ProgressNotificationsMoveTheBarAndThePercentage) {
  start();
  EXPECT_EQ(notify("{code=1}"), 1);
  EXPECT_EQ(notify("{code=3,range=19}"), 1);
  EXPECT_EQ(script.eval("controls[1006].range"), "19");
  EXPECT_EQ(notify("{code=4,position=1,text=[[反注册vcam_source.ax...]]}"), 1);
  EXPECT_EQ(script.eval("controls[1006].position"), "1");
  EXPECT_EQ(script.eval("controls[1007].text"), " 5%");
  EXPECT_EQ(notify("{code=4,position=10,text=[[删除文件 a]]}"), 1);
  EXPECT_EQ(script.eval("controls[1007].text"), "52%") << "1000 / 19 rounds down";
  EXPECT_EQ(notify("{code=4,position=19,text=[[line one\r\nline two]]}"), 1);
  EXPECT_EQ(script.eval("controls[1007].text"), "100%");

  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_EQ(notify("{code=2}"), 1);
  EXPECT_EQ(calls(), "2000 visible true\n1000 visible false");
}

TEST_F(WindowScript, APositionBeforeAnyRangeLeavesThePercentageAlone) {
  start();
  EXPECT_EQ(notify("{code=4,position=3,text=[[x]]}"), 1);
  EXPECT_EQ(script.eval("controls[1006].position"), "3");
  EXPECT_EQ(script.eval("controls[1007] and controls[1007].text"), "nil") << "no division by a missing range";
}

TEST_F(WindowScript, UnknownOrMalformedNotificationsAreAnsweredWithOne) {
  start();
  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_EQ(notify("{code=99}"), 1);
  EXPECT_EQ(notify("{code=3,range="), 1) << "a syntax error is caught";
  EXPECT_EQ(notify("error('boom')"), 1) << "a run-time error is caught";
  EXPECT_EQ(notify("42"), 1);
  EXPECT_EQ(notify("{}"), 1);
  EXPECT_EQ(calls(), "");
}

TEST_F(WindowScript, ProgramsUsingTheCameraAreEndedOnlyWhenTheUserAgrees) {
  start("boxAnswer = 1");
  ASSERT_EQ(script.run("calls = {}"), "");
  EXPECT_EQ(notify("{code=10,file=[[C:\\a\\b.exe\r\nC:\\c.exe\r\n]]}"), 1);
  EXPECT_EQ(calls(), "window box 提示 33 立即结束以下程序来继续卸载过程吗?\r\nC:\\a\\b.exe\r\nC:\\c.exe\r\n");

  ASSERT_EQ(script.run("calls = {} boxAnswer = 2"), "");
  EXPECT_EQ(notify("{code=10,file=[[C:\\c.exe]]}"), 2);
  EXPECT_EQ(calls(), "window box 提示 33 立即结束以下程序来继续卸载过程吗?\r\nC:\\c.exe\nendDialog 3\nsetUserCanceled");
}

TEST_F(WindowScript, ARestartIsAskedForAfterTheDialogAndOkReboots) {
  start("restartAnswer = 1 duringDialog = function(w) notify(w, '{code=7}') end");
  EXPECT_EQ(calls(),
            "createWindow mainframe.xml\nsetIcon 2\nsetTitle 卸载Olvana\ncenterScreen\nsetMessageHandler\nshowDialog\n"
            "markRestart\nbox 提示 33 Olvana需要重启电脑才能完成卸载，是否立即重启?\nreboot");
}

TEST_F(WindowScript, ARestartRefusedDoesNotReboot) {
  start("restartAnswer = 2 duringDialog = function(w) notify(w, '{code=7}') end");
  EXPECT_EQ(script.eval("calls[#calls]"), "box 提示 33 Olvana需要重启电脑才能完成卸载，是否立即重启?");
}

TEST_F(WindowScript, NoRestartQuestionWithoutARestartNotification) {
  start("restartAnswer = 1 duringDialog = function(w) notify(w, '{code=2}') end");
  EXPECT_EQ(script.eval("calls[#calls]"), "1000 visible false");
}

}  // namespace
}  // namespace vcam::uninstaller
