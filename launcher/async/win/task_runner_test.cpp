#include "launcher/async/win/task_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/win/unique_handle.h"

namespace vcam::launcher {
namespace {

class TaskRunnerTest : public ::testing::Test {
 protected:
  void TearDown() override { stop_task_runner(); }
};

TEST_F(TaskRunnerTest, RunAsyncWithoutRunnerFails) {
  bool ran = false;
  EXPECT_FALSE(run_async([&] { ran = true; }));
  EXPECT_FALSE(ran);
}

TEST_F(TaskRunnerTest, SecondRunnerIsRefusedWhileOneExists) {
  ASSERT_TRUE(start_task_runner());
  EXPECT_FALSE(start_task_runner());
  stop_task_runner();
  EXPECT_TRUE(start_task_runner()) << "a stopped runner can be replaced";
}

TEST_F(TaskRunnerTest, JobRunsOnAThreadOfItsOwn) {
  ASSERT_TRUE(start_task_runner());
  std::atomic<DWORD> job_thread{0};
  ASSERT_TRUE(run_async([&] { job_thread = ::GetCurrentThreadId(); }));
  stop_task_runner();
  EXPECT_NE(job_thread.load(), 0u);
  EXPECT_NE(job_thread.load(), ::GetCurrentThreadId());
}

TEST_F(TaskRunnerTest, StopReturnsOnlyAfterARunningJobEnded) {
  ASSERT_TRUE(start_task_runner());
  UniqueHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  UniqueHandle started(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<bool> job_done{false};
  std::atomic<bool> done_when_stop_returned{false};
  ASSERT_TRUE(run_async([&] {
    ::SetEvent(started.get());
    ::WaitForSingleObject(release.get(), INFINITE);
    ::Sleep(50);  // ends a little after being released
    job_done = true;
  }));
  ASSERT_EQ(::WaitForSingleObject(started.get(), 10000), WAIT_OBJECT_0);
  UniqueHandle stopped(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread stopper([&] {
    stop_task_runner();
    done_when_stop_returned = job_done.load();
    ::SetEvent(stopped.get());
  });
  // While the job is held, stop must not return.
  EXPECT_EQ(::WaitForSingleObject(stopped.get(), 500), static_cast<DWORD>(WAIT_TIMEOUT));
  ::SetEvent(release.get());
  stopper.join();
  EXPECT_TRUE(done_when_stop_returned);
}

TEST_F(TaskRunnerTest, StopJoinsMoreJobsThanOneWaitCanHold) {
  ASSERT_TRUE(start_task_runner());
  UniqueHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> finished{0};
  for (int i = 0; i < 150; ++i)
    ASSERT_TRUE(run_async([&] {
      ::WaitForSingleObject(release.get(), INFINITE);
      finished.fetch_add(1);
    }));
  ::SetEvent(release.get());
  stop_task_runner();
  EXPECT_EQ(finished.load(), 150);
}

TEST_F(TaskRunnerTest, JobsStartedByJobsBeforeStopAreAlsoWaitedFor) {
  ASSERT_TRUE(start_task_runner());
  std::atomic<int> finished{0};
  UniqueHandle inner_started(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(run_async([&] {
    run_async([&] {
      ::SetEvent(inner_started.get());
      ::Sleep(100);
      finished.fetch_add(1);
    });
    finished.fetch_add(1);
  }));
  // Stop only once the inner job runs, however slow the machine.
  ASSERT_EQ(::WaitForSingleObject(inner_started.get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  stop_task_runner();
  EXPECT_EQ(finished.load(), 2);
}

TEST_F(TaskRunnerTest, RunAsyncDuringStopIsRefusedAndTheJobDiscarded) {
  ASSERT_TRUE(start_task_runner());
  UniqueHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::atomic<int> late_result{-1};
  std::atomic<bool> late_ran{false};
  ASSERT_TRUE(run_async([&] {
    ::WaitForSingleObject(release.get(), INFINITE);
    late_result = run_async([&] { late_ran = true; }) ? 1 : 0;
  }));
  std::thread stopper([] { stop_task_runner(); });
  // Once stopping has begun the runner takes nothing new.
  for (int i = 0; i < 1000 && run_async([] {}); ++i) ::Sleep(1);
  ::SetEvent(release.get());
  stopper.join();
  EXPECT_EQ(late_result.load(), 0);
  EXPECT_FALSE(late_ran);
}

TEST_F(TaskRunnerTest, ObjectRunnerStopIsIdempotent) {
  task_runner runner;
  ASSERT_TRUE(runner.start());
  std::atomic<bool> ran{false};
  ASSERT_TRUE(runner.run([&] { ran = true; }));
  runner.stop();
  EXPECT_TRUE(ran);
  runner.stop();
  EXPECT_FALSE(runner.run([] {}));
}

}  // namespace
}  // namespace vcam::launcher
