#include "uninstaller/bindings/notify_task.h"

namespace vcam::uninstaller {

std::int32_t NotifyTask::wait() {
  std::unique_lock<std::mutex> guard(lock_);
  done_.wait(guard, [this] { return completed_; });
  return result_;
}

bool NotifyTask::completed() {
  std::lock_guard<std::mutex> guard(lock_);
  return completed_;
}

void NotifyTask::complete(std::int32_t result) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    // Run and discard never both happen; the first answer stands.
    if (completed_) return;
    completed_ = true;
    result_ = result;
  }
  done_.notify_all();
}

}  // namespace vcam::uninstaller
