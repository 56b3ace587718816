#include "tools/luarun/script_arguments.h"

#include <gtest/gtest.h>

#include "uninstaller/script/script_state.h"

namespace vcam::luarun {
namespace {

TEST(ScriptArguments, TheScriptIsArgZeroAndItsArgumentsFollowInOrder) {
  uninstaller::ScriptState state({});
  ASSERT_TRUE(state.ok());
  ASSERT_FALSE(set_script_arguments(state.get(), "tool.lua", {"one", "", std::string("t\0w", 3), "卸载"}));
  EXPECT_FALSE(state.run_string("assert(arg[0] == 'tool.lua' and #arg == 4)\n"
                                "assert(arg[1] == 'one' and arg[2] == '' and arg[3] == 't\\0w' and arg[4] == '卸载')\n"
                                "assert(arg[-1] == nil and arg[5] == nil)"));
}

TEST(ScriptArguments, NoArgumentsLeaveOnlyTheScript) {
  uninstaller::ScriptState state({});
  ASSERT_FALSE(set_script_arguments(state.get(), "x.lua", {}));
  EXPECT_FALSE(state.run_string("assert(arg[0] == 'x.lua' and #arg == 0 and next(arg, 0) == nil)"));
}

TEST(ScriptArguments, ASecondCallReplacesTheTable) {
  uninstaller::ScriptState state({});
  ASSERT_FALSE(set_script_arguments(state.get(), "a.lua", {"1", "2"}));
  ASSERT_FALSE(set_script_arguments(state.get(), "b.lua", {"3"}));
  EXPECT_FALSE(state.run_string("assert(arg[0] == 'b.lua' and #arg == 1 and arg[1] == '3')"));
}

}  // namespace
}  // namespace vcam::luarun
