// Control tables: the common methods, the class's methods on top.
#include "uninstaller/bindings/method_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "uninstaller/script/script_state.h"

namespace vcam::uninstaller {
namespace {

int common_text(lua_State* L) {
  lua_pushstring(L, "common");
  return 1;
}
int own_text(lua_State* L) {
  lua_pushstring(L, "own");
  return 1;
}
int nothing(lua_State*) { return 0; }

const luaL_Reg kCommon[] = {{"getText", common_text}, {"repaint", nothing}, {nullptr, nullptr}};
const luaL_Reg kText[] = {{"getText", own_text}, {nullptr, nullptr}};
const luaL_Reg kPanel[] = {{"getFirstChild", nothing}, {"getLastChild", nothing}, {nullptr, nullptr}};

ControlMethodTables tables() {
  ControlMethodTables t;
  t.common = kCommon;
  t.by_class[static_cast<std::size_t>(ScriptClass::text_box)] = kText;
  t.by_class[static_cast<std::size_t>(ScriptClass::panel)] = kPanel;
  return t;
}

class MethodTables : public ::testing::Test {
 protected:
  std::set<std::string> keys(int index) {
    std::set<std::string> names;
    lua_pushnil(L);
    while (lua_next(L, index < 0 ? index - 1 : index)) {
      names.insert(lua_tostring(L, -2));
      lua_pop(L, 1);
    }
    return names;
  }
  std::string call_get_text() {
    lua_getfield(L, -1, "getText");
    lua_call(L, 0, 1);
    std::string text = lua_tostring(L, -1);
    lua_pop(L, 1);
    return text;
  }
  ScriptState state{ScriptSetup{}};
  lua_State* L = state.get();
};

TEST_F(MethodTables, AClassWithoutMethodsGetsTheCommonOnes) {
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::other));
  EXPECT_EQ(keys(-1), (std::set<std::string>{"getText", "repaint"}));
  EXPECT_EQ(call_get_text(), "common");
  lua_pop(L, 1);
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::image));
  EXPECT_EQ(keys(-1).size(), 2u);
  lua_pop(L, 1);
}

TEST_F(MethodTables, ClassMethodsAreAddedAndReplaceCommonOnesOfTheSameName) {
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::panel));
  EXPECT_EQ(keys(-1), (std::set<std::string>{"getText", "repaint", "getFirstChild", "getLastChild"}));
  lua_pop(L, 1);
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::text_box));
  EXPECT_EQ(call_get_text(), "own");
  lua_pop(L, 1);
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(MethodTables, EachCallMakesANewTable) {
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::other));
  ASSERT_FALSE(push_method_table(L, tables(), ScriptClass::other));
  EXPECT_FALSE(lua_rawequal(L, -1, -2));
  lua_pop(L, 2);
}

TEST_F(MethodTables, AWindowTableHoldsOneArray) {
  ASSERT_FALSE(push_method_table(L, kPanel));
  EXPECT_EQ(keys(-1), (std::set<std::string>{"getFirstChild", "getLastChild"}));
  lua_pop(L, 1);
}

}  // namespace
}  // namespace vcam::uninstaller
