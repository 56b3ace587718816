// The registry functions on a key of this test under HKEY_CURRENT_USER.
#include "uninstaller/script/win/registry_functions.h"

#include <gtest/gtest.h>

#include <string>

#include "uninstaller/script/registry_roots.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

using testing::ScriptRunner;

class RegistryFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    key_ = L"Software\\vcam-script-test-" + std::to_wstring(::GetCurrentProcessId());
    lua_key_ = "'" + std::string(key_.begin(), key_.end()) + "'";
    for (auto pos = lua_key_.find('\\'); pos != std::string::npos; pos = lua_key_.find('\\', pos + 2))
      lua_key_.insert(pos, 1, '\\');
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

  bool key_exists(const std::wstring& sub) {
    UniqueKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, (key_ + sub).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
  }
  void set_raw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    UniqueKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }

  std::wstring key_;
  std::string lua_key_;  // the key as a Lua literal
  ScriptRunner script_;
};

TEST_F(RegistryFunctions, WritesCreateMissingKeysAndReadsGiveTheValuesBack) {
  ASSERT_FALSE(script_.run("regWriteString(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\a\\\\b', 'Path', '卸载 C:\\\\x')\n"
                           "regWriteInteger(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\a\\\\b', 'Count', 4294967295)"));
  EXPECT_TRUE(key_exists(L"\\a\\b"));
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\a\\\\b', 'Path')"),
            "\"卸载 C:\\x\"");
  EXPECT_EQ(script_.results("regQueryInteger(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\a\\\\b', 'Count')"),
            "4294967295");
}

TEST_F(RegistryFunctions, A129CharacterStringFitsAnd130DoNot) {
  ASSERT_FALSE(script_.run("regWriteString(HKEY_CURRENT_USER, " + lua_key_ + ", 's129', string.rep('x', 129))\n"
                           "regWriteString(HKEY_CURRENT_USER, " + lua_key_ + ", 's130', string.rep('y', 130))"));
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 's129') == string.rep('x', 129)"),
            "true");
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 's130')"), "(none)");
}

TEST_F(RegistryFunctions, AValueStoredWithoutItsTerminatorIsReadWithinTheBuffer) {
  const std::wstring text128(128, L'z'), text130(130, L'w');
  set_raw(L"short", REG_SZ, text128.data(), 256);  // no terminator stored
  set_raw(L"full", REG_SZ, text130.data(), 260);   // fills the buffer exactly
  EXPECT_EQ(script_.results("#regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 'short')"), "128");
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 'full')"), "(none)");
}

TEST_F(RegistryFunctions, ValuesOfAnotherTypeReadAsNothing) {
  const DWORD number = 7;
  set_raw(L"dword", REG_DWORD, &number, sizeof number);
  const wchar_t expand[] = L"%TEMP%";
  set_raw(L"expand", REG_EXPAND_SZ, expand, sizeof expand);
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 'dword')"), "(none)");
  EXPECT_EQ(script_.results("regQueryInteger(HKEY_CURRENT_USER, " + lua_key_ + ", 'dword')"), "7");
  EXPECT_EQ(script_.results("regQueryInteger(HKEY_CURRENT_USER, " + lua_key_ + ", 'expand')"), "(none)");
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 'missing')"), "(none)");
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\none', 'x')"), "(none)");
}

TEST_F(RegistryFunctions, DeleteSubKeyRemovesTheKeyWithEverythingBelowIt) {
  ASSERT_FALSE(script_.run("regWriteString(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\top\\\\mid\\\\low', 'v', 'x')\n"
                           "regWriteString(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\other', 'v', 'x')"));
  ASSERT_TRUE(key_exists(L"\\top\\mid\\low"));
  ASSERT_FALSE(script_.run("regDeleteSubKey(HKEY_CURRENT_USER, " + lua_key_ + " .. '\\\\top')"));
  EXPECT_FALSE(key_exists(L"\\top"));
  EXPECT_TRUE(key_exists(L"\\other"));
}

TEST_F(RegistryFunctions, DeleteSubKeyOfAnEmptyNameLeavesTheRootAlone) {
  ASSERT_FALSE(script_.run("regWriteString(HKEY_CURRENT_USER, " + lua_key_ + ", 'v', 'x')"));
  ASSERT_FALSE(script_.run("regDeleteSubKey(HKEY_CURRENT_USER); regDeleteSubKey(HKEY_CURRENT_USER, '');"
                           "regDeleteSubKey(HKEY_CURRENT_USER, '\\\\'); regDeleteSubKey(HKEY_CURRENT_USER, {})"));
  EXPECT_TRUE(key_exists(L""));
}

TEST_F(RegistryFunctions, DeleteValueRemovesOnlyThatValue) {
  ASSERT_FALSE(script_.run("regWriteString(HKEY_CURRENT_USER, " + lua_key_ + ", 'a', '1')\n"
                           "regWriteInteger(HKEY_CURRENT_USER, " + lua_key_ + ", 'b', 2)\n"
                           "regDeleteValue(HKEY_CURRENT_USER, " + lua_key_ + ", 'a')"));
  EXPECT_EQ(script_.results("regQueryString(HKEY_CURRENT_USER, " + lua_key_ + ", 'a')"), "(none)");
  EXPECT_EQ(script_.results("regQueryInteger(HKEY_CURRENT_USER, " + lua_key_ + ", 'b')"), "2");
}

TEST_F(RegistryFunctions, RootsAreTheSignedReadingsAndOtherNumbersTouchNothing) {
  EXPECT_EQ(script_.results("HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS"),
            "-2147483648,-2147483647,-2147483646,-2147483645");
  EXPECT_EQ(root_key(kCurrentUser), HKEY_CURRENT_USER);
  EXPECT_EQ(root_key(kLocalMachine), HKEY_LOCAL_MACHINE);
  ASSERT_FALSE(script_.run("regWriteString(0, " + lua_key_ + ", 'v', 'x'); regWriteString(nil, " + lua_key_ +
                           ", 'v', 'x'); regWriteInteger(12345, " + lua_key_ + ", 'v', 1)"));
  EXPECT_FALSE(key_exists(L""));
  EXPECT_EQ(script_.results("regQueryString(" + std::to_string(0x80000001LL) + ", 'Software\\\\Wine', 'none')"),
            "(none)");
}

}  // namespace
}  // namespace vcam::uninstaller
