#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "launcher/crash/dump_file_name.h"
#include "launcher/crash/dump_module_filter.h"
#include "launcher/crash/report_gate.h"
#include "launcher/crash/uploader_command.h"

namespace vcam::launcher {
namespace {

TEST(DumpFileName, TheLocalTimeToTheMillisecondNamesTheDump) {
  EXPECT_EQ(dump_file_name(u"C:\\Zelo\\dump", {2019, 4, 2, 6, 28, 27, 123}), u"C:\\Zelo\\dump\\20190402062827123.dmp");
}

TEST(DumpFileName, EveryFieldIsZeroPadded) {
  EXPECT_EQ(dump_file_name(u"d", {1, 1, 1, 0, 0, 0, 0}), u"d\\00010101000000000.dmp");
  EXPECT_EQ(dump_file_name(u"d", {9999, 12, 31, 23, 59, 59, 999}), u"d\\99991231235959999.dmp");
}

TEST(DumpFileName, TheSameMillisecondGivesTheSameName) {
  const local_time t{2026, 12, 7, 22, 10, 5, 7};
  EXPECT_EQ(dump_file_name(u"x", t), dump_file_name(u"x", t));
}

TEST(UploaderCommand, FourQuotedArgumentsSeparatedBySingleSpaces) {
  EXPECT_EQ(uploader_arguments(u"http://h/UploadFiles.php", u"C:\\Program Files\\Zelo\\dump", u"6.0.0.5", u"6.1.0.0"),
            u"\"http://h/UploadFiles.php\" \"C:\\Program Files\\Zelo\\dump\" \"6.0.0.5\" \"6.1.0.0\"");
}

TEST(UploaderCommand, EmptyValuesStillCountAsArguments) {
  EXPECT_EQ(uploader_arguments(u"", u"", u"", u""), u"\"\" \"\" \"\" \"\"");
}

TEST(UploaderCommand, TheEndpointPathFollowsTheBaseWithOneSlash) {
  EXPECT_EQ(upload_endpoint(u"http://127.0.0.1:8080"), u"http://127.0.0.1:8080/UploadFiles.php");
  EXPECT_EQ(upload_endpoint(u"http://crash.example/"), u"http://crash.example/UploadFiles.php");
  EXPECT_EQ(upload_endpoint(u""), u"/UploadFiles.php");
}

TEST(DumpModuleFilter, TheLauncherAndNtdllKeepTheirData) {
  const std::u16string launcher = u"C:\\Zelo\\vcam_launcher.exe";
  EXPECT_TRUE(module_data_needed(u"C:\\Zelo\\vcam_launcher.exe", launcher));
  EXPECT_TRUE(module_data_needed(u"c:\\zelo\\VCAM_LAUNCHER.EXE", launcher));
  EXPECT_TRUE(module_data_needed(u"C:\\windows\\system32\\ntdll.dll", launcher));
  EXPECT_TRUE(module_data_needed(u"C:\\windows\\system32\\NTDLL.DLL", launcher));
  EXPECT_TRUE(module_data_needed(u"ntdll", launcher)) << "a name without folder or extension";
}

TEST(DumpModuleFilter, EveryOtherModuleLosesItsData) {
  const std::u16string launcher = u"C:\\Zelo\\vcam_launcher.exe";
  EXPECT_FALSE(module_data_needed(u"C:\\Zelo\\vcam_client.dll", launcher));
  EXPECT_FALSE(module_data_needed(u"C:\\Other\\vcam_launcher.exe", launcher)) << "the full path counts";
  EXPECT_FALSE(module_data_needed(u"C:\\windows\\system32\\ntdll32.dll", launcher));
  EXPECT_FALSE(module_data_needed(u"C:\\ntdll\\kernel32.dll", launcher)) << "a folder named ntdll is not the module";
  EXPECT_FALSE(module_data_needed(u"", u"")) << "an unknown launcher path matches nothing";
}

TEST(ReportGate, OnlyTheFirstEntryPasses) {
  report_gate gate;
  EXPECT_FALSE(gate.entered());
  EXPECT_TRUE(gate.enter());
  EXPECT_TRUE(gate.entered());
  EXPECT_FALSE(gate.enter());
}

TEST(ReportGate, ThreadsRacingForTheGateLetExactlyOneIn) {
  for (int round = 0; round < 50; ++round) {
    report_gate gate;
    std::atomic<int> admitted{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
      threads.emplace_back([&] {
        while (!go.load()) std::this_thread::yield();
        if (gate.enter()) admitted.fetch_add(1);
      });
    go = true;
    for (auto& t : threads) t.join();
    EXPECT_EQ(admitted.load(), 1);
  }
}

}  // namespace
}  // namespace vcam::launcher
