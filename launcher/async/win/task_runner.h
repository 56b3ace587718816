#pragma once
// The task runner: one thread per job, joined by a reaper thread every 200 ms,
// so that stopping the runner waits for every job it started. One per process,
// reached through start_task_runner / run_async / stop_task_runner.
#include <windows.h>

#include <functional>
#include <vector>

#include "common/win/unique_handle.h"

namespace vcam::launcher {

class task_runner {
 public:
  task_runner();   // becomes the process-wide runner
  ~task_runner();  // stops, then is no longer the process-wide runner
  task_runner(const task_runner&) = delete;
  task_runner& operator=(const task_runner&) = delete;

  // Starts the reaper thread.
  bool start();
  // Refuses new jobs, then returns once the reaper joined every job.
  void stop();
  // Starts `job` on a thread of its own; false when the thread cannot be
  // created or the runner is stopping (the job is discarded).
  bool run(std::function<void()> job);

 private:
  static DWORD WINAPI reaper_main(void* self);
  // Takes every pending handle, waits for all of them and closes them.
  void join_pending();

  CRITICAL_SECTION lock_;
  std::vector<HANDLE> pending_;  // guarded by lock_
  bool stopping_ = false;        // guarded by lock_
  UniqueHandle reaper_;
};

// Creates and starts the process-wide task runner; false when it cannot start
// or one exists already.
bool start_task_runner();
// Stops the process-wide task runner (waiting for every job) and frees it.
void stop_task_runner();
// Runs `job` on the process-wide task runner; false without one.
bool run_async(std::function<void()> job);

}  // namespace vcam::launcher
