#include "launcher/log/log_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

TEST(LogSink, LinesWithoutASinkAreDropped) {
  ASSERT_EQ(installed_log_sink(), nullptr);
  log_plain("nobody listens");
  log_location("main", "load_config", 1);
}

TEST(LogSink, EachKindArrivesWithItsLevel) {
  log_capture capture;
  log_location("zelopack_reader", "_zelopack_reader::read", 96);
  log_value(value_line("_zelopack_reader, failed to read").text(u"font.xml"));
  log_value(value_line().number(1), log_level_failure);
  log_plain("vcam_client started");
  log_plain("odd", 450);
  EXPECT_EQ(capture.lines(), (std::vector<logged_line>{
                                 {300, "zelopack_reader - _zelopack_reader::read, 96"},
                                 {600, "_zelopack_reader, failed to read,\"font.xml\""},
                                 {300, "1"},
                                 {600, "vcam_client started"},
                                 {450, "odd"},
                             }));
}

TEST(LogSink, InstallationsNestAndRestoreThePreviousSink) {
  log_capture outer;
  log_plain("one");
  {
    log_capture inner;
    EXPECT_EQ(installed_log_sink(), &inner);
    log_plain("two");
    EXPECT_EQ(inner.texts(), std::vector<std::string>{"two"});
  }
  EXPECT_EQ(installed_log_sink(), &outer);
  log_plain("three");
  EXPECT_EQ(outer.texts(), (std::vector<std::string>{"one", "three"}));
}

TEST(LogSink, TheSinkIsGoneWithItsInstallation) {
  { log_capture capture; }
  EXPECT_EQ(installed_log_sink(), nullptr);
}

TEST(LogSink, SeveralThreadsWriteThroughOneSink) {
  log_capture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t] {
      for (int n = 0; n < 200; ++n) log_value(value_line("t").number(t).number(n));
    });
  }
  for (auto& th : threads) th.join();
  const auto texts = capture.texts();
  ASSERT_EQ(texts.size(), 1600u);
  std::vector<int> next(8, 0);
  for (const auto& text : texts) {
    const int t = std::stoi(text.substr(2));
    ASSERT_EQ(text, "t," + std::to_string(t) + "," + std::to_string(next[t])) << text;
    ++next[t];
  }
}

}  // namespace
}  // namespace vcam::launcher
