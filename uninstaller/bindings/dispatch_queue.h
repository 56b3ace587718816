#pragma once
// The bookkeeping of the UI dispatcher, apart from its Windows calls: the
// open / closed phase and the start/stop lock, the FIFO of posted tasks under
// its own lock (taken after the start/stop lock), and the list of worker
// threads waiting to be joined.
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

#include "uninstaller/bindings/ui_task.h"

namespace vcam::uninstaller {

template <typename WorkerHandle>
class DispatchQueue {
 public:
  // Opens the queue; `start` runs under the start/stop lock first.
  template <typename Start>
  void open(Start&& start) {
    std::lock_guard<std::mutex> guard(start_stop_);
    start();
    open_ = true;
  }

  // Appends the task and calls `wake` (which tells the UI thread), both under
  // the start/stop lock. False, with nothing queued, when closed.
  template <typename Wake>
  bool post(UiTaskPtr task, Wake&& wake) {
    std::lock_guard<std::mutex> guard(start_stop_);
    if (!open_ || !task) return false;
    {
      std::lock_guard<std::mutex> fifo(fifo_lock_);
      fifo_.push_back(std::move(task));
    }
    wake();
    return true;
  }

  // Takes the first task and runs it outside every lock. False when the
  // queue was empty.
  bool run_one() {
    UiTaskPtr task;
    {
      std::lock_guard<std::mutex> fifo(fifo_lock_);
      if (fifo_.empty()) return false;
      task = std::move(fifo_.front());
      fifo_.pop_front();
    }
    task->run();
    return true;
  }

  // Files a worker while open; `first` runs (under the lock) when the list
  // has never had one, so the caller can start its reaper then. False when
  // closed: the worker cannot be joined.
  template <typename First>
  bool add_worker(WorkerHandle handle, First&& first) {
    std::lock_guard<std::mutex> guard(start_stop_);
    if (!open_) return false;
    if (!had_workers_) {
      if (!first()) return false;
      had_workers_ = true;
    }
    workers_.push_back(std::move(handle));
    return true;
  }

  // The workers filed since the last call.
  std::vector<WorkerHandle> take_workers() {
    std::lock_guard<std::mutex> guard(start_stop_);
    return std::exchange(workers_, {});
  }

  // Closes the queue (`stop` runs under the lock first) and tells every task
  // still queued that it is discarded, outside the locks. The count of them.
  template <typename Stop>
  std::size_t close(Stop&& stop) {
    std::deque<UiTaskPtr> dropped;
    {
      std::lock_guard<std::mutex> guard(start_stop_);
      stop();
      open_ = false;
      std::lock_guard<std::mutex> fifo(fifo_lock_);
      dropped.swap(fifo_);
    }
    for (const UiTaskPtr& task : dropped) task->discard();
    return dropped.size();
  }

  bool is_open() {
    std::lock_guard<std::mutex> guard(start_stop_);
    return open_;
  }
  bool had_workers() {
    std::lock_guard<std::mutex> guard(start_stop_);
    return had_workers_;
  }
  std::size_t queued() {
    std::lock_guard<std::mutex> fifo(fifo_lock_);
    return fifo_.size();
  }

 private:
  std::mutex start_stop_;
  bool open_ = false;
  bool had_workers_ = false;
  std::vector<WorkerHandle> workers_;
  std::mutex fifo_lock_;
  std::deque<UiTaskPtr> fifo_;
};

}  // namespace vcam::uninstaller
