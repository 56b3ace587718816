// The script host running scripts from a resource provider: the window and
// worker states, the error boxes with their captions, and the exit flags.
#include "uninstaller/script/win/script_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/exit_flags.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

using testing::MessageBoxAnswerer;
using testing::RecordingOutput;

// Serves script texts by name the way the provider serves the embedded ones.
class TextProvider : public ResourceProvider {
 public:
  explicit TextProvider(std::map<std::u16string, std::string> texts) : texts_(std::move(texts)) {}
  ResourceBuffer load(std::u16string_view name, std::size_t* size) override {
    const auto found = texts_.find(std::u16string(name));
    if (found == texts_.end()) return nullptr;
    ResourceBuffer buffer = new_resource_buffer(found->second.size());
    std::memcpy(buffer.get(), found->second.data(), found->second.size());
    if (size) *size = found->second.size();
    ++loads;
    return buffer;
  }
  void free(unsigned char* buffer) override {
    ++frees;
    ResourceProvider::free(buffer);
  }
  int loads = 0, frees = 0;

 private:
  std::map<std::u16string, std::string> texts_;
};

// Stand-ins for the bindings' functions, recording what they saw.
lua_State* seen_window_state = nullptr;
int fake_create_window(lua_State* L) {
  seen_window_state = ScriptHost::instance() ? ScriptHost::instance()->window_state() : nullptr;
  lua_pushboolean(L, seen_window_state == L);
  return 1;
}
int fake_notify(lua_State* L) {
  lua_pushnumber(L, 1);
  return 1;
}
const luaL_Reg kWindowFunctions[] = {{"createWindow", fake_create_window}, {nullptr, nullptr}};
const luaL_Reg kWorkerFunctions[] = {{"notifyMessage", fake_notify}, {nullptr, nullptr}};

const char* kAllFunctions =
    "for _, name in ipairs{'sleep', 'killProcess', 'removeFile', 'moveFile', 'removeDirectory', 'createDirectory',\n"
    "    'shellExecuteEx', 'fileExists', 'print', 'getAppDataFolder', 'getProgramFolder', 'getTempFolder',\n"
    "    'getDesktopFolder', 'getStartMenuFolder', 'createShortCut', 'reboot', 'volumeExists', 'directoryEmpty',\n"
    "    'setCurrentDirectory', 'isWOW32', 'isProcessRunning', 'getProcessPath', 'showMessageBox', 'regQueryString',\n"
    "    'regQueryInteger', 'regWriteString', 'regWriteInteger', 'regDeleteValue', 'regDeleteSubKey', 'markRestart',\n"
    "    'resolveShortCut', 'isWin8', 'getRunningProcess', 'killRunningProcess', 'setUserCanceled'} do\n"
    "  assert(type(_G[name]) == 'function', name)\n"
    "end\n"
    "assert(HKEY_LOCAL_MACHINE == -2147483646 and type(string.format) == 'function' and bit32 and debug)\n";

class ScriptHostTest : public ::testing::Test {
 protected:
  void SetUp() override { clear_exit_flags_for_test(); }
  void TearDown() override { clear_exit_flags_for_test(); }
  RecordingOutput output_;
};

TEST_F(ScriptHostTest, TheHostIsReachedThroughItsProcessWidePointerWhileItLives) {
  EXPECT_EQ(ScriptHost::instance(), nullptr);
  {
    ScriptHost host;
    EXPECT_EQ(ScriptHost::instance(), &host);
    EXPECT_EQ(host.window_state(), nullptr);
  }
  EXPECT_EQ(ScriptHost::instance(), nullptr);
}

TEST_F(ScriptHostTest, TheWindowStateHasEverythingAndIsPublishedOnlyWhileItRuns) {
  TextProvider provider({{u"UI.lua", std::string(kAllFunctions) +
                                         "local r = debug.getregistry()\n"
                                         "assert(next(r.__window) == nil and next(r.__timer) == nil)\n"
                                         "assert(next(r.__control[1]) == nil and next(r.__control[2]) == nil)\n"
                                         "assert(createWindow() == true, 'published as the running state')\n"
                                         "assert(notifyMessage == nil)\n"
                                         "print('窗口')\n"}});
  ScriptHost host(&output_);
  EXPECT_TRUE(host.run_window_script(u"UI.lua", kWindowFunctions));
  EXPECT_TRUE(output_.errors.empty()) << output_.errors.front();
  EXPECT_NE(seen_window_state, nullptr);
  EXPECT_EQ(host.window_state(), nullptr);
  EXPECT_EQ(output_.lines, std::vector<std::string>{"窗口"});
  EXPECT_EQ(provider.loads, 1);
  EXPECT_EQ(provider.frees, 1);
}

TEST_F(ScriptHostTest, AWorkerStateHasTheSystemFunctionsAndItsOwnButNoWindowTables) {
  TextProvider provider({{u"LG.lua", std::string(kAllFunctions) +
                                         "local r = debug.getregistry()\n"
                                         "assert(r.__window == nil and r.__timer == nil and r.__control == nil)\n"
                                         "assert(notifyMessage('{code=1}') == 1 and createWindow == nil)\n"}});
  ScriptHost host(&output_);
  EXPECT_TRUE(host.run_worker_script(u"LG.lua", kWorkerFunctions));
  EXPECT_TRUE(output_.errors.empty()) << output_.errors.front();
}

TEST_F(ScriptHostTest, InvalidUtf8PrintsAnEmptyLine) {
  TextProvider provider({{u"LG.lua", "print('\\255\\254'); print(12); print({})"}});
  ScriptHost host(&output_);
  EXPECT_TRUE(host.run_worker_script(u"LG.lua", nullptr));
  EXPECT_EQ(output_.lines, (std::vector<std::string>{"", "12", ""}));
}

TEST_F(ScriptHostTest, RebootAndUserCancelSetTheFlagsReadAfterTheScriptEnds) {
  TextProvider provider({{u"UI.lua", "reboot()"}, {u"LG.lua", "setUserCanceled()"}});
  ScriptHost host(&output_);
  ASSERT_FALSE(reboot_requested());
  ASSERT_FALSE(user_canceled());
  ASSERT_TRUE(host.run_window_script(u"UI.lua", nullptr));
  EXPECT_TRUE(reboot_requested());
  EXPECT_FALSE(user_canceled());
  ASSERT_TRUE(host.run_worker_script(u"LG.lua", nullptr));
  EXPECT_TRUE(user_canceled());
}

TEST_F(ScriptHostTest, AMissingScriptIsReportedLikeAFailedOne) {
  TextProvider provider({});
  ScriptHost host(&output_);
  EXPECT_FALSE(host.run_worker_script(u"LG.lua", nullptr));
  EXPECT_EQ(output_.errors, std::vector<std::string>{"worker: cannot load script LG.lua"});
}

TEST_F(ScriptHostTest, AWindowScriptSyntaxErrorShowsTheWindowCaption) {
  TextProvider provider({{u"UI.lua", "local x = = 1"}});
  ScriptHost host;
  MessageBoxAnswerer box(L"错误#2");
  EXPECT_FALSE(host.run_window_script(u"UI.lua", nullptr));
  const auto text = box.text();
  ASSERT_TRUE(text) << "no box captioned 错误#2";
  EXPECT_NE(text->find("[string \"local x = = 1\"]:1:"), std::string::npos) << *text;
  EXPECT_EQ(host.window_state(), nullptr);
}

TEST_F(ScriptHostTest, AWorkerScriptRuntimeErrorShowsTheWorkerCaption) {
  TextProvider provider({{u"LG.lua", "local t\nlocal x = t.field"}});
  ScriptHost host;
  MessageBoxAnswerer box(L"错误#1");
  EXPECT_FALSE(host.run_worker_script(u"LG.lua", nullptr));
  const auto text = box.text();
  ASSERT_TRUE(text) << "no box captioned 错误#1";
  EXPECT_NE(text->find(":2: attempt to index local 't'"), std::string::npos) << *text;
}

TEST_F(ScriptHostTest, ACallbackErrorIsCaughtAndReportedWithTheWindowCaption) {
  TextProvider provider({{u"UI.lua", "function handler() error('from a handler', 0) end\n"
                                     "assert(createWindow())"}});
  ScriptHost host;
  // The host calls back into the window state while it runs.
  static bool reported_false = false;
  static const luaL_Reg calling[] = {{"createWindow",
                                      [](lua_State* L) -> int {
                                        lua_getglobal(L, "handler");
                                        reported_false = !ScriptState::call_back(L, 0, 1);
                                        lua_pop(L, 1);
                                        lua_pushboolean(L, true);
                                        return 1;
                                      }},
                                     {nullptr, nullptr}};
  MessageBoxAnswerer box(L"错误#2");
  EXPECT_TRUE(host.run_window_script(u"UI.lua", calling)) << "the script itself went on";
  EXPECT_TRUE(reported_false);
  EXPECT_EQ(box.text(), "from a handler");
}

TEST_F(ScriptHostTest, ShowMessageBoxReturnsTheButtonPressed) {
  testing::ScriptRunner script;
  MessageBoxAnswerer box(L"提示");
  EXPECT_EQ(script.results("showMessageBox('立即结束以下程序来继续卸载过程吗?', '提示', 33)"), "1");
  EXPECT_EQ(box.text(), "立即结束以下程序来继续卸载过程吗?");
}

TEST_F(ScriptHostTest, SpecialFoldersAndSystemChecksAnswer) {
  testing::ScriptRunner script;
  EXPECT_EQ(script.results("getTempFolder():sub(-1)"), "\"\\\"");
  EXPECT_EQ(script.results("type(getAppDataFolder()), type(getProgramFolder()), type(getDesktopFolder()),"
                           "type(getStartMenuFolder())"),
            "\"string\",\"string\",\"string\",\"string\"");
  // Only a 32-bit program outside WOW64 runs on a system without the layer.
  BOOL wow64 = FALSE;
  ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &wow64));
  EXPECT_EQ(script.results("isWOW32()"), sizeof(void*) == 4 && !wow64 ? "true" : "false");
  EXPECT_EQ(script.results("type(isWin8())"), "\"boolean\"");
  EXPECT_EQ(script.results("sleep(1)"), "(none)");
  EXPECT_EQ(script.run("sleep(-1); sleep('x'); sleep({})"), std::nullopt) << "a negative time is no endless sleep";
}

}  // namespace
}  // namespace vcam::uninstaller
