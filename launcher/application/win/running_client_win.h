#pragma once
// A second launcher start: bring the running client's window to the front
// and hand it this start's command line.
#include <string_view>

namespace vcam::launcher {

// Nothing happens when no client window is found; an empty command line is
// not sent.
void activate_running_client(std::u16string_view version, std::u16string_view command_line);

}  // namespace vcam::launcher
