#pragma once
// The two process-wide flags that scripts set and the entry routine reads
// after every thread has ended: userCanceled (nothing is deleted at exit)
// and rebootRequested (delete at the next boot and reboot). They are only
// ever set to 1, from either script thread.
#include <cstdint>

namespace vcam::uninstaller {

void set_user_canceled();
bool user_canceled();
void set_reboot_requested();
bool reboot_requested();

// Back to 0, for tests that run several scripts in one process; the program
// never clears them.
void clear_exit_flags_for_test();

}  // namespace vcam::uninstaller
