#pragma once
// UiDispatcher: carries tasks from any thread onto the UI thread, and makes
// shutdown wait for the worker threads. One per process, bound to the thread
// that starts it, reached through instance() (set by the constructor, cleared
// by the destructor).
//
// Each posted task is announced by a WM_NULL thread message; a WH_GETMESSAGE
// hook of the UI thread runs one task per such message as it is taken from
// the queue, so tasks also run inside modal loops (message boxes). Workers'
// handles go to the ThreadReaper, which joins them; stop waits for it.
#include <windows.h>

#include "common/win/unique_handle.h"
#include "uninstaller/bindings/dispatch_queue.h"
#include "uninstaller/bindings/ui_task.h"

namespace vcam::uninstaller {

class UiDispatcher {
 public:
  UiDispatcher();
  // Stops when still active.
  ~UiDispatcher();
  UiDispatcher(const UiDispatcher&) = delete;
  UiDispatcher& operator=(const UiDispatcher&) = delete;

  static UiDispatcher* instance();

  // On the UI thread: gives it a message queue and installs the hook. False
  // when it cannot (the dispatcher stays inactive).
  bool start();
  // Any thread. 0 when queued; -1, with nothing queued, when inactive.
  int post(UiTaskPtr task);
  // Any thread: the handle (taken over) is joined before stop returns. False
  // when inactive or the reaper cannot start; the handle is then closed
  // without a wait.
  bool add_worker(HANDLE thread);
  // On the UI thread at shutdown: refuses further posts, discards the tasks
  // still queued (their waiters get 0), then waits without limit until the
  // reaper joined every worker.
  void stop();

  bool active() { return queue_.is_open(); }
  DWORD thread_id() const { return thread_id_; }

 private:
  static LRESULT CALLBACK hook_procedure(int code, WPARAM wparam, LPARAM lparam);
  static DWORD WINAPI reaper_routine(void* self);
  void reap();

  DispatchQueue<HANDLE> queue_;
  DWORD thread_id_ = 0;
  HHOOK hook_ = nullptr;
  UniqueHandle stop_event_;
  UniqueHandle reaper_;
};

}  // namespace vcam::uninstaller
