#include "launcher/async/wake_log.h"

#include "launcher/log/log_sink.h"

namespace vcam::launcher {

void log_wake_error(std::u16string_view class_name, unsigned long error) {
  log_value(value_line().text(u"message_window_wakeup").text(class_name).number(error));
}

void log_wake_gave_up(std::u16string_view class_name) {
  log_value(value_line().text(u"message_window_wakeup").text(class_name).text(u"PostMessage failed"));
}

}  // namespace vcam::launcher
