#include "launcher/async/wake_policy.h"

#include "launcher/log/log_sink.h"

namespace vcam::launcher {

namespace {

// "message_window_wakeup","<class name>",<error>
void log_wake_error(std::u16string_view class_name, unsigned long error) {
  log_value(value_line().text(u"message_window_wakeup").text(class_name).number(error));
}

// "message_window_wakeup","<class name>","PostMessage failed"
void log_wake_gave_up(std::u16string_view class_name) {
  log_value(value_line().text(u"message_window_wakeup").text(class_name).text(u"PostMessage failed"));
}

}  // namespace

void wake(wake_port& port, std::u16string_view class_name) {
  if (port.post()) return;
  const unsigned long error = port.last_error();
  log_wake_error(class_name, error);
  if (port.on_ui_thread()) {
    port.arm_timer();
    return;
  }
  if (error == kNotEnoughQuota) {
    for (int i = 0; i < kWakeRetries; ++i) {
      port.pause(kWakeRetryPauseMs);
      if (port.post()) return;
    }
  }
  log_wake_gave_up(class_name);
}

}  // namespace vcam::launcher
