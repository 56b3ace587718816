#pragma once
// Work carried from any thread onto the UI thread. A task is shared between
// the thread that posted it and the dispatcher's queue; the last holder frees
// it.
#include <memory>

namespace vcam::uninstaller {

class UiTask {
 public:
  virtual ~UiTask() = default;
  // On the UI thread, outside every lock of the dispatcher.
  virtual void run() = 0;
  // The task will never run: the dispatcher stopped with it still queued.
  // Whoever waits for it must be let go.
  virtual void discard() {}
};

using UiTaskPtr = std::shared_ptr<UiTask>;

}  // namespace vcam::uninstaller
