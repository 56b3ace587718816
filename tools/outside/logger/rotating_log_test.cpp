#include "tools/outside/logger/rotating_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace vcam::logger {
namespace {

namespace fs = std::filesystem;

class FixedClock : public LogClock {
 public:
  LocalTime now() const override { return {2024, 5, 1, 9, 5, 3, 7}; }
};

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<torn>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

const std::string kStamp = "2024-05-01 09:05:03.007 ";

class RotatingLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vcam_logger_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = dir_ / "vc_client.log";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  FixedClock clock_;
  fs::path dir_;
  fs::path path_;
};

TEST(LogRecord, StampLevelWordNumberAndText) {
  EXPECT_EQ(format_record({2024, 5, 1, 9, 5, 3, 7}, 600, "vcam_client started"),
            "2024-05-01 09:05:03.007 INFO  600 vcam_client started\r\n");
  EXPECT_EQ(format_record({1999, 12, 31, 23, 59, 59, 999}, 300, "application - application::initialize, 96"),
            "1999-12-31 23:59:59.999 ERROR 300 application - application::initialize, 96\r\n");
}

TEST(LogRecord, LineBreaksInsideTheTextBecomeSpaces) {
  EXPECT_EQ(format_record({2024, 5, 1, 9, 5, 3, 7}, 600, "a\r\nb\nc"), kStamp + "INFO  600 a  b c\r\n");
}

TEST(LogRecord, LevelWordsFollowSeverity) {
  EXPECT_STREQ(level_word(300), "ERROR");
  EXPECT_STREQ(level_word(301), "WARN ");
  EXPECT_STREQ(level_word(600), "INFO ");
  EXPECT_STREQ(level_word(700), "DEBUG");
}

TEST_F(RotatingLogTest, ThresholdDropsLevelsAboveIt) {
  RotatingLog log(clock_);
  log.start(300);
  ASSERT_TRUE(log.add_file(path_, 1 << 20, 2));
  log.write(600, "information");
  log.write(300, "failure");
  log.close();
  EXPECT_EQ(read_file(path_), kStamp + "ERROR 300 failure\r\n");
}

TEST_F(RotatingLogTest, LinesBeforeAFileIsAddedAndAfterCloseAreDropped) {
  RotatingLog log(clock_);
  log.start(600);
  log.write(600, "too early");
  ASSERT_TRUE(log.add_file(path_, 1 << 20, 2));
  log.write(600, "kept");
  log.close();
  log.write(600, "too late");
  EXPECT_EQ(read_file(path_), kStamp + "INFO  600 kept\r\n");
}

TEST_F(RotatingLogTest, AnExistingFileIsContinued) {
  {
    std::ofstream(path_, std::ios::binary) << "earlier run\r\n";
  }
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, 1 << 20, 2));
  log.write(600, "this run");
  log.close();
  EXPECT_EQ(read_file(path_), "earlier run\r\n" + kStamp + "INFO  600 this run\r\n");
}

TEST_F(RotatingLogTest, AFileInAMissingFolderIsRefused) {
  RotatingLog log(clock_);
  EXPECT_FALSE(log.add_file(dir_ / "missing" / "x.log", 1 << 20, 2));
  log.write(600, "nowhere");  // no file: nothing happens
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

TEST_F(RotatingLogTest, EveryLineGoesToEveryFile) {
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, 1 << 20, 2));
  ASSERT_TRUE(log.add_file(dir_ / "second.log", 1 << 20, 2));
  log.write(600, "both");
  log.close();
  EXPECT_EQ(read_file(path_), read_file(dir_ / "second.log"));
  EXPECT_EQ(read_file(path_), kStamp + "INFO  600 both\r\n");
}

// Lines "t<thread> <n> " padded with a thread-specific letter to a length
// that varies with n, so torn or interleaved writes show as malformed lines.
std::string thread_line(int t, int n) {
  std::string s = "t" + std::to_string(t) + " " + std::to_string(n) + " ";
  s.append(static_cast<std::size_t>(n % 97), static_cast<char>('a' + t));
  return s;
}

bool parse_thread_line(const std::string& body, int& t, int& n) {
  std::istringstream in(body);
  char tee = 0;
  if (!(in >> tee >> t >> n) || tee != 't' || t < 0 || t >= 26) return false;
  const std::string expected = thread_line(t, n);
  return body == expected;
}

TEST_F(RotatingLogTest, EightConcurrentWritersLoseNoLineAndInterleaveNoBytes) {
  constexpr int kThreads = 8, kLines = 3000;
  RotatingLog log(clock_);
  log.start(600);
  ASSERT_TRUE(log.add_file(path_, 64u << 20, 2));
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&log, t] {
      for (int n = 0; n < kLines; ++n) log.write(600, thread_line(t, n));
    });
  }
  for (auto& w : writers) w.join();
  log.close();

  const auto lines = lines_of(read_file(path_));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
  std::vector<int> next(kThreads, 0);
  const std::string prefix = kStamp + "INFO  600 ";
  for (const auto& line : lines) {
    ASSERT_EQ(line.compare(0, prefix.size(), prefix), 0) << line;
    int t = -1, n = -1;
    ASSERT_TRUE(parse_thread_line(line.substr(prefix.size()), t, n)) << line;
    ASSERT_LT(t, kThreads);
    // Each thread's lines appear whole and in the order it wrote them.
    ASSERT_EQ(n, next[t]) << line;
    ++next[t];
  }
  EXPECT_EQ(next, std::vector<int>(kThreads, kLines));
}

TEST_F(RotatingLogTest, RotationKeepsExactlyTheGivenCountOfFiles) {
  constexpr std::uint64_t kLimit = 4096;
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, kLimit, 3));
  constexpr int kLines = 1000;
  for (int n = 0; n < kLines; ++n) log.write(600, "line " + std::to_string(n));
  log.close();

  ASSERT_TRUE(fs::exists(path_));
  ASSERT_TRUE(fs::exists(dir_ / "vc_client.log.1"));
  ASSERT_TRUE(fs::exists(dir_ / "vc_client.log.2"));
  EXPECT_FALSE(fs::exists(dir_ / "vc_client.log.3"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);

  // Oldest to newest, the kept files hold an unbroken run ending in the last line.
  std::vector<std::string> all;
  for (const char* name : {"vc_client.log.2", "vc_client.log.1", "vc_client.log"}) {
    const std::string text = read_file(dir_ / name);
    EXPECT_LE(text.size(), kLimit) << name;
    if (std::string(name) != "vc_client.log") {
      EXPECT_GT(text.size(), kLimit - 64) << name;
    }
    for (auto& l : lines_of(text)) all.push_back(l);
  }
  ASSERT_FALSE(all.empty());
  const int first = std::stoi(all.front().substr(kStamp.size() + 15));
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i], kStamp + "INFO  600 line " + std::to_string(first + static_cast<int>(i)));
  }
  EXPECT_EQ(first + static_cast<int>(all.size()), kLines);
}

TEST_F(RotatingLogTest, RotationOfARestartedLogStartsWithTheOldFile) {
  {
    std::ofstream(path_, std::ios::binary) << std::string(100, 'x') << "\r\n";
  }
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, 120, 2));
  log.write(600, "new");
  log.close();
  EXPECT_EQ(read_file(dir_ / "vc_client.log.1"), std::string(100, 'x') + "\r\n");
  EXPECT_EQ(read_file(path_), kStamp + "INFO  600 new\r\n");
}

TEST_F(RotatingLogTest, CountOfOneStartsTheFileAfresh) {
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, 100, 1));
  for (int n = 0; n < 5; ++n) log.write(600, "line " + std::to_string(n));
  log.close();
  EXPECT_FALSE(fs::exists(dir_ / "vc_client.log.1"));
  const auto lines = lines_of(read_file(path_));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), kStamp + "INFO  600 line 4");
}

TEST_F(RotatingLogTest, ARecordLongerThanTheLimitIsStillWrittenWhole) {
  RotatingLog log(clock_);
  ASSERT_TRUE(log.add_file(path_, 64, 2));
  log.write(600, "short");
  const std::string big(500, 'b');
  log.write(600, big);
  log.write(600, "after");
  log.close();
  EXPECT_EQ(read_file(dir_ / "vc_client.log.1"), kStamp + "INFO  600 " + big + "\r\n");
  EXPECT_EQ(read_file(path_), kStamp + "INFO  600 after\r\n");
}

}  // namespace
}  // namespace vcam::logger
