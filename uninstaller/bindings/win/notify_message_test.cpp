// Workers started by the window script: notifications answered by the
// window's handler, 0 without one or once the dispatcher stopped, and a
// failing procedure that still moves the window to its final page.
#include <gtest/gtest.h>

#include "uninstaller/bindings/win/testing/bindings_test_support.h"

namespace vcam::uninstaller {
namespace {

using testing::BindingsTest;

using Workers = BindingsTest;

constexpr const char* kProtocolWindow = R"(
  local w = createWindow("page.xml")
  w:setMessageHandler(function(text)
    local ok, message = pcall(load("return " .. text))
    if not ok then return 0 end
    print("window got " .. message.code)
    if message.code == 2 then w:endDialog(2) end
    return message.code * 10 + 1
  end)
  startWork("LG.lua")
  print("code " .. w:showDialog())
)";

TEST_F(Workers, NotifyMessageReturnsTheWindowHandlersInteger) {
  ASSERT_TRUE(run_window_script(kProtocolWindow, R"(
    print("answer " .. notifyMessage("{code=1}"))
    print("answer " .. notifyMessage("{code=4,position=1,text=[[删除文件 a]]}"))
    print("answer " .. notifyMessage("{code=2}"))
  )"));
  dispatcher_.stop();  // joins the worker
  for (const char* line : {"window got 1", "window got 4", "window got 2", "answer 11", "answer 41", "answer 21",
                           "code 2"})
    EXPECT_TRUE(printed(line)) << line << " in " << all_lines();
  EXPECT_TRUE(output_.errors().empty());
}

TEST_F(Workers, AWindowWithoutAMessageHandlerAnswersZero) {
  // The procedure tells the window it got its answer through the registry,
  // so the window is known to be open when the notification is delivered.
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\vcam-bindings-test");
  for (const char* subscribe : {"", "w:setMessageHandler(nil)"}) {
    ASSERT_TRUE(run_window_script(std::string(R"(
      local w = createWindow("page.xml")
      )") + subscribe + R"(
      startWork("LG.lua")
      w:setTimer(20, function()
        if regQueryInteger(HKEY_CURRENT_USER, [[Software\vcam-bindings-test]], "done") == 1 then w:endDialog(1) end
      end)
      print("code " .. w:showDialog())
    )", R"(
      print("answer " .. notifyMessage("{code=1}"))
      regWriteInteger(HKEY_CURRENT_USER, [[Software\vcam-bindings-test]], "done", 1)
    )")) << subscribe;
    EXPECT_TRUE(printed("code 1")) << subscribe;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\vcam-bindings-test");
  }
  dispatcher_.stop();
  const auto lines = output_.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "answer 0"), 2) << all_lines();
}

TEST_F(Workers, AFailingProcedureIsReportedAndTheWindowStillGetsItsFinalNotification) {
  ASSERT_TRUE(run_window_script(kProtocolWindow, "notifyMessage('{code=1}') error('procedure broke')"));
  dispatcher_.stop();
  EXPECT_TRUE(printed("window got 1"));
  EXPECT_TRUE(printed("window got 2")) << all_lines();
  EXPECT_TRUE(printed("code 2"));
  ASSERT_EQ(output_.errors().size(), 1u);
  EXPECT_EQ(output_.errors()[0].rfind("worker: ", 0), 0u) << output_.errors()[0];
  EXPECT_NE(output_.errors()[0].find("procedure broke"), std::string::npos);
}

TEST_F(Workers, AProcedureThatOutlivesTheWindowScriptGetsZeroAndIsJoinedAtStop) {
  ASSERT_TRUE(run_window_script("startWork('LG.lua')", R"(
    sleep(300)
    print("late answer " .. notifyMessage("{code=1}"))
    print("later answer " .. notifyMessage("{code=2}"))
  )"));
  dispatcher_.stop();
  EXPECT_TRUE(printed("late answer 0")) << all_lines();
  EXPECT_TRUE(printed("later answer 0")) << all_lines();
}

TEST_F(Workers, NoWorkerStartsWhenTheDispatcherTakesNoTasks) {
  dispatcher_.stop();
  ASSERT_TRUE(run_window_script("startWork('LG.lua') print('started')", "print('procedure ran')"));
  ::Sleep(200);
  EXPECT_TRUE(printed("started"));
  EXPECT_FALSE(printed("procedure ran"));
}

}  // namespace
}  // namespace vcam::uninstaller
