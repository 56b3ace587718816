#include "launcher/application/stale_process_rules.h"

#include <gtest/gtest.h>

#include "launcher/application/running_client.h"

namespace vcam::launcher {
namespace {

TEST(StaleProcessRules, FolderProgramsAreSweptExceptTheMonitorAndTheLauncher) {
  EXPECT_TRUE(folder_program_is_swept(u"C:\\Zelo\\zelobugreport.exe"));
  EXPECT_TRUE(folder_program_is_swept(u"C:\\Zelo\\patch.exe"));
  EXPECT_FALSE(folder_program_is_swept(u"C:\\Zelo\\vcam_launcher.exe"));
  EXPECT_FALSE(folder_program_is_swept(u"C:\\Zelo\\VCAM_Launcher.EXE")) << "case does not matter";
  EXPECT_FALSE(folder_program_is_swept(u"C:\\Zelo\\ZeloVCamOn.exe"));
}

TEST(StaleProcessRules, TheExemptNamesCountAnywhereInThePath) {
  // The rule looks for the names inside the whole path, as the product did.
  EXPECT_FALSE(folder_program_is_swept(u"C:\\old_vcam_launcher.exe"));
  EXPECT_FALSE(folder_program_is_swept(u"C:\\zelovcamon.exe.bak\\tool.exe"));
  EXPECT_TRUE(folder_program_is_swept(u"C:\\Zelo\\vcam_launcher.ex"));
}

TEST(StaleProcessRules, TheMonitorIsSweptByExactFileNameOnly) {
  EXPECT_TRUE(is_swept_everywhere(u"zelovcamon.exe"));
  EXPECT_TRUE(is_swept_everywhere(u"ZELOVCAMON.EXE"));
  EXPECT_FALSE(is_swept_everywhere(u"zelovcamon.exe "));
  EXPECT_FALSE(is_swept_everywhere(u"xzelovcamon.exe"));
  EXPECT_FALSE(is_swept_everywhere(u""));
}

TEST(StaleProcessRules, TheLauncherSparesItselfWhateverItsName) {
  EXPECT_FALSE(may_end_process(1234, 1234));
  EXPECT_TRUE(may_end_process(1235, 1234));
}

TEST(StaleProcessRules, CaseFoldingIsAsciiOnly) {
  EXPECT_EQ(ascii_lower(u"AZaz@[Ä"), u"azaz@[Ä");
  EXPECT_TRUE(equal_ignoring_ascii_case(u"NTDLL.dll", u"ntdll.DLL"));
  EXPECT_FALSE(equal_ignoring_ascii_case(u"ntdll", u"ntdll."));
}

TEST(RunningClient, TheTitleCarriesTheVersion) {
  EXPECT_EQ(client_window_title(u"6.0.0.5"), u"ZeloOlvana - 6.0.0.5");
}

TEST(RunningClient, TheCommandLineIsSentWithItsTerminatorAndNeverWhenEmpty) {
  EXPECT_EQ(command_line_copy_bytes(u""), 0u);
  EXPECT_EQ(command_line_copy_bytes(u"a"), 4u);
  EXPECT_EQ(command_line_copy_bytes(u"--open 图"), 18u);
}

}  // namespace
}  // namespace vcam::launcher

#include "launcher/application/folder_set.h"

namespace vcam::launcher {
namespace {

TEST(FolderSet, TheApplicationFolderComesFirstThenItsEightSubfolders) {
  EXPECT_EQ(folder_set(u"C:\\Zelo\\"),
            (std::vector<std::u16string>{u"C:\\Zelo\\", u"C:\\Zelo\\dump", u"C:\\Zelo\\logs", u"C:\\Zelo\\patch",
                                         u"C:\\Zelo\\sound", u"C:\\Zelo\\effect", u"C:\\Zelo\\settings",
                                         u"C:\\Zelo\\videothumb", u"C:\\Zelo\\videoworkthumb"}));
}

}  // namespace
}  // namespace vcam::launcher
