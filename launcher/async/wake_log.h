#pragma once
// The value lines (level 600) of a failed wake:
//   "message_window_wakeup","<class name>",<error>
//   "message_window_wakeup","<class name>","PostMessage failed"
#include <string_view>

namespace vcam::launcher {

void log_wake_error(std::u16string_view class_name, unsigned long error);
void log_wake_gave_up(std::u16string_view class_name);

}  // namespace vcam::launcher
