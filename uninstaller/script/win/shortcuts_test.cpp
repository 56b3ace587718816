// Shell links made and read through the shell-link object.
#include "uninstaller/script/win/shortcuts.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <fstream>

#include "common/testing/scratch_folder.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;
using testing::lua_literal;
using testing::ScriptRunner;

// Both script threads initialise OLE; resolveShortCut relies on it.
class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(ole_)); }
  void TearDown() override {
    if (SUCCEEDED(ole_)) ::OleUninitialize();
  }
  HRESULT ole_ = ::OleInitialize(nullptr);
  vcam::testing::ScratchFolder scratch_{"script_links_"};
  ScriptRunner script_;
};

TEST_F(Shortcuts, ACreatedLinkResolvesToItsTarget) {
  const fs::path target = scratch_ / "app" / "vcam_launcher.exe";
  fs::create_directories(target.parent_path());
  std::ofstream(target) << "x";
  const fs::path link = scratch_ / "launcher.lnk";
  EXPECT_EQ(script_.results("createShortCut(" + lua_literal(target) + ", " + lua_literal(link) + ")"), "true");
  EXPECT_TRUE(fs::exists(link));
  EXPECT_EQ(script_.results("resolveShortCut(" + lua_literal(link) + ") == " + lua_literal(target)), "true");
}

TEST_F(Shortcuts, ALinkToAMissingTargetResolvesToTheStoredPath) {
  const fs::path target = scratch_ / "gone" / "program.exe";
  const fs::path link = scratch_ / "gone.lnk";
  ASSERT_EQ(script_.results("createShortCut(" + lua_literal(target) + ", " + lua_literal(link) + ")"), "true");
  EXPECT_EQ(script_.results("resolveShortCut(" + lua_literal(link) + ") == " + lua_literal(target)), "true");
}

TEST_F(Shortcuts, AFileThatIsNoShellLinkResolvesToNothing) {
  const fs::path fake = scratch_ / "fake.lnk";
  std::ofstream(fake) << "not a link at all";
  EXPECT_EQ(script_.results("resolveShortCut(" + lua_literal(fake) + ")"), "(none)");
  EXPECT_EQ(script_.results("resolveShortCut(" + lua_literal(scratch_ / "missing.lnk") + ")"), "(none)");
  EXPECT_EQ(script_.results("resolveShortCut()"), "(none)");
}

TEST_F(Shortcuts, ALinkThatCannotBeSavedGivesFalse) {
  EXPECT_EQ(script_.results("createShortCut('C:\\\\x.exe', " + lua_literal(scratch_ / "no" / "folder" / "x.lnk") + ")"),
            "false");
  EXPECT_FALSE(fs::exists(scratch_ / "no"));
}

TEST(ShortcutsWithoutOle, CreatingALinkInitialisesComForTheCallOnly) {
  vcam::testing::ScratchFolder scratch("script_links_");
  std::thread([&] {
    EXPECT_TRUE(create_shortcut(u"C:\\x.exe", (scratch / "x.lnk").u16string()));
    // COM was undone: a first initialisation here succeeds with S_OK again.
    const HRESULT again = ::CoInitialize(nullptr);
    EXPECT_EQ(again, S_OK);
    if (SUCCEEDED(again)) ::CoUninitialize();
  }).join();
  EXPECT_TRUE(fs::exists(scratch / "x.lnk"));
}

}  // namespace
}  // namespace vcam::uninstaller
