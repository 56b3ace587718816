#include "launcher/async/win/task_runner.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace vcam::launcher {
namespace {

constexpr DWORD kReaperPeriodMs = 200;

// The process-wide runner. Readers (run_async on any thread) hold the guard
// shared; taking it exclusive to unpublish waits for them, so the object is
// never freed under a reader.
SRWLOCK g_guard = SRWLOCK_INIT;
task_runner* g_runner = nullptr;

struct job_record {
  std::function<void()> job;
};

DWORD WINAPI job_main(void* p) {
  std::function<void()> job = std::move(static_cast<job_record*>(p)->job);
  delete static_cast<job_record*>(p);
  job();
  return 0;
}

}  // namespace

task_runner::task_runner() {
  ::InitializeCriticalSectionAndSpinCount(&lock_, 100);
  ::AcquireSRWLockExclusive(&g_guard);
  g_runner = this;
  ::ReleaseSRWLockExclusive(&g_guard);
}

task_runner::~task_runner() {
  stop();
  ::AcquireSRWLockExclusive(&g_guard);
  if (g_runner == this) g_runner = nullptr;
  ::ReleaseSRWLockExclusive(&g_guard);
  ::DeleteCriticalSection(&lock_);
}

bool task_runner::start() {
  if (reaper_) return true;
  stopping_ = false;
  reaper_.reset(::CreateThread(nullptr, 0, reaper_main, this, 0, nullptr));
  return static_cast<bool>(reaper_);
}

void task_runner::stop() {
  ::EnterCriticalSection(&lock_);
  stopping_ = true;
  ::LeaveCriticalSection(&lock_);
  if (reaper_) {
    ::WaitForSingleObject(reaper_.get(), INFINITE);
    reaper_.reset();
  }
  // Jobs started without a reaper (start failed) are joined here.
  join_pending();
}

bool task_runner::run(std::function<void()> job) {
  auto record = std::make_unique<job_record>(job_record{std::move(job)});
  ::EnterCriticalSection(&lock_);
  // Under the lock, so that the reaper's last pass sees every started job.
  HANDLE thread = nullptr;
  if (!stopping_ && reaper_) {
    thread = ::CreateThread(nullptr, 0, job_main, record.get(), 0, nullptr);
    if (thread) {
      record.release();
      pending_.push_back(thread);
    }
  }
  ::LeaveCriticalSection(&lock_);
  return thread != nullptr;
}

DWORD WINAPI task_runner::reaper_main(void* p) {
  auto* self = static_cast<task_runner*>(p);
  for (;;) {
    ::EnterCriticalSection(&self->lock_);
    const bool stopping = self->stopping_;
    ::LeaveCriticalSection(&self->lock_);
    if (stopping) break;
    self->join_pending();
    ::Sleep(kReaperPeriodMs);
  }
  // No job can be added once stopping is set: this pass joins the rest.
  self->join_pending();
  return 0;
}

void task_runner::join_pending() {
  std::vector<HANDLE> handles;
  ::EnterCriticalSection(&lock_);
  handles.swap(pending_);
  ::LeaveCriticalSection(&lock_);
  // One wait covers at most MAXIMUM_WAIT_OBJECTS (64) handles.
  for (std::size_t i = 0; i < handles.size(); i += MAXIMUM_WAIT_OBJECTS) {
    const DWORD n = static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, handles.size() - i));
    ::WaitForMultipleObjects(n, handles.data() + i, TRUE, INFINITE);
  }
  for (HANDLE h : handles) ::CloseHandle(h);
}

bool start_task_runner() {
  ::AcquireSRWLockShared(&g_guard);
  const bool exists = g_runner != nullptr;
  ::ReleaseSRWLockShared(&g_guard);
  if (exists) return false;
  auto runner = std::make_unique<task_runner>();
  if (!runner->start()) return false;
  runner.release();  // owned through the process-wide pointer
  return true;
}

void stop_task_runner() {
  // Unpublished first: jobs that call run_async from now on are refused.
  ::AcquireSRWLockExclusive(&g_guard);
  task_runner* runner = std::exchange(g_runner, nullptr);
  ::ReleaseSRWLockExclusive(&g_guard);
  delete runner;  // waits for every job
}

bool run_async(std::function<void()> job) {
  ::AcquireSRWLockShared(&g_guard);
  const bool started = g_runner && g_runner->run(std::move(job));
  ::ReleaseSRWLockShared(&g_guard);
  return started;
}

}  // namespace vcam::launcher
