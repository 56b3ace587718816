// zelobugreport.exe run as the crash handler runs it, against the local test
// server's upload receiver.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/testing/scratch_folder.h"
#include "common/win/folders.h"
#include "common/win/testing/program_run.h"
#include "common/win/wide.h"
#include "tools/https_server/https_test_server.h"
#include "tools/outside/testing/receiver_records.h"

namespace vcam::bugreport {
namespace {

namespace fs = std::filesystem;

class UploaderProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = testing::https_test_server::from_environment();
    ASSERT_TRUE(server_.available()) << "runs with the outside_server fixture";
  }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dumps_ / name, std::ios::binary) << bytes;
  }
  bool exists(const std::string& name) const { return fs::exists(dumps_ / name); }

  // The exit code; the program's output lines in `lines_`.
  DWORD run(const std::string& endpoint, const std::wstring& folder, const wchar_t* current = L"6.0.0.5",
            const wchar_t* latest = L"6.0.1.0") {
    const std::wstring exe = std::wstring(wide(application_folder())) + L"zelobugreport.exe";
    const std::wstring command = L"\"" + exe + L"\" \"" + std::wstring(endpoint.begin(), endpoint.end()) +
                                 L"\" \"" + folder + L"\" \"" + current + L"\" \"" + latest + L"\"";
    const testing::ProgramResult r = testing::run_program(command, 60000);
    lines_ = testing::lines_of(r.output);
    return r.code;
  }

  // Accepted uploads of this test's files (the log is shared by every test).
  std::vector<std::vector<std::string>> uploads_named(const std::string& name) const {
    std::vector<std::vector<std::string>> found;
    for (auto& r : testing::accepted_uploads())
      if (!r.empty() && r[0] == name) found.push_back(r);
    return found;
  }

  testing::https_test_server server_;
  std::vector<std::string> lines_;
  testing::ScratchFolder scratch_{"bugreport_"};
  fs::path dumps_ = scratch_.path();
};

TEST_F(UploaderProgramTest, DeletesAcceptedDumpsAndKeepsRefusedOnes) {
  const std::string good = "20261207221530123.dmp", bad = "20261207221530999.dmp";
  write(good, std::string("MDMP") + std::string(5000, '\x5A'));
  write(bad, "not a minidump");
  write("notes.txt", "MDMP but not a dump name");
  write("20261207221531000.dmpx", "MDMP longer extension");
  const std::size_t earlier = uploads_named(good).size();  // from earlier runs of the fixture
  EXPECT_EQ(run(server_.url("/UploadFiles.php"), dumps_.wstring()), 1u) << "one dump kept";
  EXPECT_FALSE(exists(good));
  EXPECT_TRUE(exists(bad));
  EXPECT_TRUE(exists("notes.txt"));
  EXPECT_TRUE(exists("20261207221531000.dmpx"));
  const auto accepted = uploads_named(good);
  ASSERT_EQ(accepted.size(), earlier + 1);
  EXPECT_EQ(accepted.back(), (std::vector<std::string>{good, "5004", "6.0.0.5", "6.0.1.0"}));
  EXPECT_TRUE(uploads_named(bad).empty());
  EXPECT_TRUE(uploads_named("notes.txt").empty());
  EXPECT_TRUE(uploads_named("20261207221531000.dmpx").empty());
  const std::string folder = dumps_.string();
  EXPECT_TRUE(testing::contains(lines_, "uploaded " + folder + "\\" + good));
  EXPECT_TRUE(testing::contains(lines_, "kept " + folder + "\\" + bad + ": transfer code 0, status 400"));
  EXPECT_EQ(lines_.size(), 2u);
}

TEST_F(UploaderProgramTest, AllAcceptedLeavesAnEmptyFolderAndExitsZero) {
  write("20261207221600001.dmp", "MDMP one");
  write("20261207221600002.DMP", "MDMP two");
  const std::size_t one = uploads_named("20261207221600001.dmp").size();
  const std::size_t two = uploads_named("20261207221600002.DMP").size();
  // A trailing separator is dropped. (A trailing backslash before the closing
  // quote would escape the quote for the system's argument parser.)
  EXPECT_EQ(run(server_.url("/UploadFiles.php"), dumps_.wstring() + L"/"), 0u);
  EXPECT_TRUE(fs::is_empty(dumps_));
  EXPECT_EQ(uploads_named("20261207221600001.dmp").size(), one + 1);
  EXPECT_EQ(uploads_named("20261207221600002.DMP").size(), two + 1);
}

TEST_F(UploaderProgramTest, AServerErrorOrNoServerKeepsEveryDump) {
  write("20261207221700001.dmp", "MDMP kept");
  const std::size_t before = uploads_named("20261207221700001.dmp").size();
  EXPECT_EQ(run(server_.url("/__/status/500"), dumps_.wstring()), 1u);
  EXPECT_TRUE(exists("20261207221700001.dmp"));
  // Port 1 on the loopback: nobody listens, the connection is refused.
  EXPECT_EQ(run("https://127.0.0.1:1/UploadFiles.php", dumps_.wstring()), 1u);
  EXPECT_TRUE(exists("20261207221700001.dmp"));
  EXPECT_EQ(uploads_named("20261207221700001.dmp").size(), before);
}

TEST_F(UploaderProgramTest, NothingToUploadOrABadCommandLine) {
  EXPECT_EQ(run(server_.url("/UploadFiles.php"), dumps_.wstring()), 0u);
  EXPECT_EQ(run(server_.url("/UploadFiles.php"), (dumps_ / "missing").wstring()), 0u);
  write("20261207221800001.dmp", "MDMP stays");
  EXPECT_EQ(run("ftp://127.0.0.1/UploadFiles.php", dumps_.wstring()), 2u);
  EXPECT_EQ(run(server_.url("/UploadFiles.php"), dumps_.wstring(), L""), 2u);
  const std::wstring exe = std::wstring(wide(application_folder())) + L"zelobugreport.exe";
  EXPECT_EQ(testing::run_program(L"\"" + exe + L"\" \"only\" \"three\" \"args\"").code, 2u);
  EXPECT_TRUE(exists("20261207221800001.dmp"));
}

}  // namespace
}  // namespace vcam::bugreport
