#include "launcher/async/wake_policy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

// Scripted platform: posts fail `failures` times with `error`, then succeed.
// Every operation is recorded in order, log lines included.
class scripted_port final : public wake_port, private log_sink {
 public:
  scripted_port(int failures, unsigned long error, bool ui_thread)
      : failures_(failures), error_(error), ui_thread_(ui_thread) {}

  void write(int level, const char* text) override {
    events.push_back("log " + std::to_string(level) + " " + text);
  }

  bool post() override {
    events.push_back("post");
    return failures_-- <= 0;
  }
  unsigned long last_error() override { return error_; }
  bool on_ui_thread() override { return ui_thread_; }
  void arm_timer() override { events.push_back("timer"); }
  void pause(unsigned ms) override { events.push_back("pause " + std::to_string(ms)); }

  std::vector<std::string> events;

 private:
  int failures_;
  unsigned long error_;
  bool ui_thread_;
  log_sink_installation installation_{*this};
};

const std::string kErrorLine = "log 600 \"message_window_wakeup\",\"zelovcam_launcher_mq\",";
const std::string kGaveUpLine =
    "log 600 \"message_window_wakeup\",\"zelovcam_launcher_mq\",\"PostMessage failed\"";

TEST(WakePolicy, SuccessfulPostDoesNothingElse) {
  scripted_port port(0, 0, false);
  wake(port, u"zelovcam_launcher_mq");
  EXPECT_EQ(port.events, std::vector<std::string>{"post"});
}

TEST(WakePolicy, FailureOnTheUiThreadArmsTheTimerAndLogsOnlyTheError) {
  scripted_port port(1, kNotEnoughQuota, true);
  wake(port, u"zelovcam_launcher_mq");
  EXPECT_EQ(port.events, (std::vector<std::string>{"post", kErrorLine + "1816", "timer"}));
}

TEST(WakePolicy, FullQueueOnAWorkerIsRetriedUntilAPostSucceeds) {
  scripted_port port(3, kNotEnoughQuota, false);
  wake(port, u"zelovcam_launcher_mq");
  EXPECT_EQ(port.events, (std::vector<std::string>{"post", kErrorLine + "1816", "pause 50", "post", "pause 50",
                                                   "post", "pause 50", "post"}));
}

TEST(WakePolicy, FullQueueOnAWorkerGivesUpAfterFiveRetries) {
  scripted_port port(100, kNotEnoughQuota, false);
  wake(port, u"zelovcam_launcher_mq");
  std::vector<std::string> expected{"post", kErrorLine + "1816"};
  for (int i = 0; i < 5; ++i) {
    expected.push_back("pause 50");
    expected.push_back("post");
  }
  expected.push_back(kGaveUpLine);
  EXPECT_EQ(port.events, expected);
}

TEST(WakePolicy, OtherErrorsOnAWorkerAreLoggedTwiceWithoutRetry) {
  scripted_port port(1, 1400, false);  // ERROR_INVALID_WINDOW_HANDLE
  wake(port, u"zelovcam_launcher_mq");
  EXPECT_EQ(port.events, (std::vector<std::string>{"post", kErrorLine + "1400", kGaveUpLine}));
}

TEST(WakePolicy, ClassNameIsWrittenAsUtf8) {
  scripted_port port(1, 5, true);
  wake(port, u"队列");
  ASSERT_EQ(port.events.size(), 3u);
  EXPECT_EQ(port.events[1], "log 600 \"message_window_wakeup\",\"\xE9\x98\x9F\xE5\x88\x97\",5");
}

}  // namespace
}  // namespace vcam::launcher
