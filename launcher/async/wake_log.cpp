// Stand-in until the launcher's log lines are available: composes the lines
// and hands them to a replaceable writer.
#include "launcher/async/wake_log.h"

#include <functional>
#include <string>

#include "common/text_utf.h"

namespace vcam::launcher {

std::function<void(int, const std::string&)>& wake_log_writer() {
  static std::function<void(int, const std::string&)> writer;
  return writer;
}

namespace {
void write(const std::string& line) {
  if (wake_log_writer()) wake_log_writer()(600, line);
}
std::string quoted(std::u16string_view t) { return "\"" + utf16_to_utf8(t) + "\""; }
}  // namespace

void log_wake_error(std::u16string_view class_name, unsigned long error) {
  write(quoted(u"message_window_wakeup") + "," + quoted(class_name) + "," + std::to_string(error));
}

void log_wake_gave_up(std::u16string_view class_name) {
  write(quoted(u"message_window_wakeup") + "," + quoted(class_name) + "," + quoted(u"PostMessage failed"));
}

}  // namespace vcam::launcher
