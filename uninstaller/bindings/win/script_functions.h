#pragma once
// The global functions the bindings add to script states: createWindow and
// startWork in the window state, notifyMessage in worker states.
#include <lua.hpp>

#include <cstdint>
#include <string_view>

namespace vcam::uninstaller {

// Null-terminated, for the script host.
extern const luaL_Reg kWindowFunctions[];
extern const luaL_Reg kWorkerFunctions[];

// On the UI thread: asks every window subscribed to notifications, in order;
// the last answer, 0 when no window subscribed or no window script runs.
std::int32_t deliver_notification(std::string_view text);

// A worker's notification (notifyMessage): a 20 ms pause, then
// post_notification.
std::int32_t notify_window(std::string_view text);

// Posts the notification to the UI dispatcher and waits for its answer. 0 at
// once when the dispatcher takes no tasks; 0 when it discarded the task.
std::int32_t post_notification(std::string_view text);

}  // namespace vcam::uninstaller
