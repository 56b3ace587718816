#include "launcher/async/wake_policy.h"

#include "launcher/async/wake_log.h"

namespace vcam::launcher {

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
