// The uninstaller's start-up and exit decisions: program folder, the sweep's
// spared programs, which folder may go as a whole, and the batch text.
#include "uninstaller/program/exit_cleanup_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace vcam::uninstaller {
namespace {

TEST(ProgramFolder, IsTheModulesDirectoryWithBackslashesAndATrailingOne) {
  EXPECT_EQ(program_folder_of(u"C:\\Program Files\\Zelo\\vcam_uninstall.exe"), u"C:\\Program Files\\Zelo\\");
  EXPECT_EQ(program_folder_of(u"C:/a/b/u.exe"), u"C:\\a\\b\\");
  EXPECT_EQ(program_folder_of(u"C:\\u.exe"), u"C:\\");
  EXPECT_EQ(program_folder_of(u"u.exe"), u"");
  EXPECT_EQ(program_folder_of(u""), u"");
}

TEST(SweepRule, SparesTheMonitorAndTheUninstallerByCaseSensitiveSubstring) {
  const std::u16string own = u"C:\\p\\vcam_uninstall.exe";
  EXPECT_TRUE(sweep_spares(u"C:\\p\\zelovcamon.exe", own));
  EXPECT_TRUE(sweep_spares(u"C:\\p\\vcam_uninstall.exe", own));
  // The substring test covers longer names too.
  EXPECT_TRUE(sweep_spares(u"C:\\p\\old_zelovcamon.exe", own));
  // Another case is another name to this rule: such a program is swept.
  EXPECT_FALSE(sweep_spares(u"C:\\p\\ZeloVCamOn.exe", own));
  EXPECT_FALSE(sweep_spares(u"C:\\p\\vcam_launcher.exe", own));
  EXPECT_FALSE(sweep_spares(u"C:\\p\\vzelolive.exe", own));
}

TEST(SweepRule, SparesTheRunningProgramUnderAnyName) {
  const std::u16string own = u"C:\\Downloads\\Uninstall (1).exe";
  EXPECT_TRUE(sweep_spares(u"C:\\Downloads\\Uninstall (1).exe", own));
  EXPECT_TRUE(sweep_spares(u"c:\\downloads\\UNINSTALL (1).EXE", own));
  EXPECT_FALSE(sweep_spares(u"C:\\Downloads\\Uninstall (2).exe", own));
  // An unknown own path spares nothing beyond the two names.
  EXPECT_FALSE(sweep_spares(u"C:\\Downloads\\Uninstall (1).exe", u""));
}

TEST(RegisteredInstallation, MatchesTheSameFolderWhateverItsAsciiCaseSlashesAndTrailingBackslashes) {
  EXPECT_TRUE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u"C:\\Program Files\\Zelo\\"));
  EXPECT_TRUE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u"c:\\program files\\ZELO"));
  EXPECT_TRUE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u"C:/Program Files/Zelo/"));
  EXPECT_TRUE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u"C:\\Program Files\\Zelo\\\\"));
}

TEST(RegisteredInstallation, RefusesOtherFoldersEmptyValuesAndDriveRoots) {
  EXPECT_FALSE(is_registered_installation(u"C:\\Users\\me\\Downloads\\", u"C:\\Program Files\\Zelo\\"));
  // A folder inside or around the installation is not the installation.
  EXPECT_FALSE(is_registered_installation(u"C:\\Program Files\\Zelo\\bin\\", u"C:\\Program Files\\Zelo\\"));
  EXPECT_FALSE(is_registered_installation(u"C:\\Program Files\\", u"C:\\Program Files\\Zelo\\"));
  EXPECT_FALSE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u""));
  EXPECT_FALSE(is_registered_installation(u"C:\\Program Files\\Zelo\\", u"\\"));
  EXPECT_FALSE(is_registered_installation(u"C:\\", u"C:\\"));
  EXPECT_FALSE(is_registered_installation(u"C:\\", u"c:"));
  EXPECT_FALSE(is_registered_installation(u"\\\\server\\share\\", u"\\\\server\\share"));
  // Only ASCII letters are folded, as in the procedure's comparison.
  EXPECT_FALSE(is_registered_installation(u"C:\\Ä\\", u"C:\\ä\\"));
}

TEST(SelfDeleteBatch, DeletesTheExeUntilGoneThenTheEmptyFolderThenItself) {
  EXPECT_EQ(self_delete_batch(u"C:\\p\\u.exe", u"C:\\p\\", u"C:\\T\\\\zelocamera.bat"),
            u":repeat\r\n"
            u"del /f \"C:\\p\\u.exe\"\r\n"
            u"if exist \"C:\\p\\u.exe\" goto repeat\r\n"
            u"choice /t 3 /c ync /cs /d y\r\n"
            u"rd \"C:\\p\\\"\r\n"
            u"del \"C:\\T\\\\zelocamera.bat\"");
}

TEST(SelfDeleteBatch, LeavesAFolderThatMustStayOut) {
  EXPECT_EQ(self_delete_batch(u"C:\\u.exe", u"", u"C:\\T\\z.bat"),
            u":repeat\r\n"
            u"del /f \"C:\\u.exe\"\r\n"
            u"if exist \"C:\\u.exe\" goto repeat\r\n"
            u"choice /t 3 /c ync /cs /d y\r\n"
            u"del \"C:\\T\\z.bat\"");
}

TEST(SelfDeleteBatch, IsRefusedWhenItWouldNotFitItsBuffer) {
  // 87 fixed characters and the exe path twice: 999 characters and the NUL
  // fill the 1000-character buffer exactly.
  ASSERT_EQ(self_delete_batch(u"", u"f", u"").size(), 88u);
  const std::u16string exe(455, u'a');
  EXPECT_EQ(self_delete_batch(exe, u"f", u"b").size(), 999u);
  EXPECT_TRUE(self_delete_batch(exe, u"ff", u"b").empty());
  EXPECT_TRUE(self_delete_batch(u"", u"f", std::u16string(912, u'b')).empty());
}

}  // namespace
}  // namespace vcam::uninstaller
