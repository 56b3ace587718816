#include "uninstaller/script/exit_flags.h"

#include <atomic>

namespace vcam::uninstaller {

namespace {
// Atomic, as the window and the worker thread may set them at the same time.
std::atomic<std::uint8_t> userCanceled{0};
std::atomic<std::int32_t> rebootRequested{0};
}  // namespace

void set_user_canceled() { userCanceled.store(1); }
bool user_canceled() { return userCanceled.load() != 0; }
void set_reboot_requested() { rebootRequested.store(1); }
bool reboot_requested() { return rebootRequested.load() != 0; }

void clear_exit_flags_for_test() {
  userCanceled.store(0);
  rebootRequested.store(0);
}

}  // namespace vcam::uninstaller
