// The real logger.dll, reached through its import library as the launcher
// reaches it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "tools/outside/logger/logger.h"

namespace vcam {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class LoggerModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder name outside ASCII proves the path is taken in code page 936.
    dir_ = fs::temp_directory_path() / (L"vcam_日志_" + std::to_wstring(::GetCurrentProcessId()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = dir_ / L"vc_client.log";
    narrow_ = utf16_to_cp936(u16(path_.c_str()));
    ASSERT_FALSE(narrow_.empty());
  }
  void TearDown() override {
    logger_close();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path dir_;
  fs::path path_;
  std::string narrow_;
};

TEST_F(LoggerModuleTest, ExportsThePlainNames) {
  HMODULE module = ::GetModuleHandleW(L"logger.dll");
  ASSERT_NE(module, nullptr) << "linked by import, so loaded with the program";
  for (const char* name : {"logger_start", "logger_add_file", "logger_write_string", "logger_close"}) {
    EXPECT_NE(::GetProcAddress(module, name), nullptr) << name;
  }
}

TEST_F(LoggerModuleTest, StartAddWriteCloseRecordsStampedLines) {
  logger_start(600);
  logger_add_file(narrow_.c_str(), 0x100000, 2);
  logger_write_string(600, "vcam_client started");
  logger_write_string(300, "application - application::initialize, 96");
  logger_write_string(700, "dropped: above the level given to logger_start");
  logger_write_string(600, "\"C:\\程序\\图片.png\"");
  logger_write_string(600, "vcam_client closed");
  logger_close();
  logger_write_string(600, "after close");

  std::istringstream in(read_file(path_));
  std::vector<std::string> bodies;
  for (std::string line; std::getline(in, line);) {
    ASSERT_GE(line.size(), 26u);
    ASSERT_EQ(line.back(), '\r');
    // "YYYY-MM-DD hh:mm:ss.mmm " then the level word.
    EXPECT_EQ(line[4], '-');
    EXPECT_EQ(line[10], ' ');
    EXPECT_EQ(line[19], '.');
    bodies.push_back(line.substr(24, line.size() - 25));
  }
  EXPECT_EQ(bodies, (std::vector<std::string>{
                        "INFO  600 vcam_client started",
                        "ERROR 300 application - application::initialize, 96",
                        "INFO  600 \"C:\\程序\\图片.png\"",
                        "INFO  600 vcam_client closed",
                    }));
}

TEST_F(LoggerModuleTest, EightThreadsWriteWholeLines) {
  logger_start(600);
  logger_add_file(narrow_.c_str(), 0x100000, 2);
  constexpr int kThreads = 8, kLines = 500;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([t] {
      for (int n = 0; n < kLines; ++n) {
        const std::string text = "t" + std::to_string(t) + " " + std::to_string(n) + " " +
                                 std::string(static_cast<std::size_t>(n % 61), static_cast<char>('a' + t));
        logger_write_string(600, text.c_str());
      }
    });
  }
  for (auto& w : writers) w.join();
  logger_close();

  std::istringstream in(read_file(path_));
  std::vector<int> next(kThreads, 0);
  int count = 0;
  for (std::string line; std::getline(in, line); ++count) {
    std::istringstream fields(line.substr(34));
    char tee = 0;
    int t = -1, n = -1;
    ASSERT_TRUE(fields >> tee >> t >> n) << line;
    ASSERT_TRUE(t >= 0 && t < kThreads) << line;
    ASSERT_EQ(n, next[t]) << line;
    EXPECT_EQ(line.substr(34), "t" + std::to_string(t) + " " + std::to_string(n) + " " +
                                   std::string(static_cast<std::size_t>(n % 61), static_cast<char>('a' + t)) +
                                   "\r");
    ++next[t];
  }
  EXPECT_EQ(count, kThreads * kLines);
}

TEST_F(LoggerModuleTest, RotatesAtTheGivenSizeKeepingTheGivenCount) {
  logger_start(600);
  logger_add_file(narrow_.c_str(), 2048, 2);
  for (int n = 0; n < 300; ++n) logger_write_string(600, ("line " + std::to_string(n)).c_str());
  logger_close();
  EXPECT_TRUE(fs::exists(path_));
  EXPECT_TRUE(fs::exists(dir_ / L"vc_client.log.1"));
  EXPECT_FALSE(fs::exists(dir_ / L"vc_client.log.2"));
  EXPECT_LE(fs::file_size(path_), 2048u);
  EXPECT_LE(fs::file_size(dir_ / L"vc_client.log.1"), 2048u);
  EXPECT_NE(read_file(path_).find(" line 299\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vcam
