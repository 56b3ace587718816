// The UI dispatcher: tasks run from the UI thread's message retrieval, one
// per WM_NULL; posts refused outside the active phase; stop discards what is
// queued and joins every worker, also one blocked on a notification.
#include "uninstaller/bindings/win/ui_dispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "uninstaller/bindings/win/script_functions.h"

namespace vcam::uninstaller {
namespace {

class Count : public UiTask {
 public:
  explicit Count(std::vector<int>& log, int n) : log_(log), n_(n) {}
  void run() override { log_.push_back(n_); }

 private:
  std::vector<int>& log_;
  int n_;
};

void pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// A thread message waits in this thread's queue (looked at, not taken).
bool thread_message_waiting() {
  MSG msg;
  return ::PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_NULL, WM_NULL, PM_NOREMOVE) != FALSE;
}

HANDLE start_thread(LPTHREAD_START_ROUTINE routine, void* data) {
  return ::CreateThread(nullptr, 0, routine, data, 0, nullptr);
}

struct PostData {
  UiDispatcher* d;
  UiTaskPtr task;
};
DWORD WINAPI posting_thread(void* p) {
  auto* data = static_cast<PostData*>(p);
  return static_cast<DWORD>(data->d->post(data->task));
}

std::atomic<bool> slow_finished{false};
DWORD WINAPI slow_thread(void*) {
  ::Sleep(700);
  slow_finished = true;
  return 0;
}

DWORD WINAPI quick_thread(void*) { return 0; }

TEST(UiDispatcher, IsReachedThroughItsProcessWidePointerWhileItLives) {
  EXPECT_EQ(UiDispatcher::instance(), nullptr);
  {
    UiDispatcher d;
    EXPECT_EQ(UiDispatcher::instance(), &d);
  }
  EXPECT_EQ(UiDispatcher::instance(), nullptr);
}

TEST(UiDispatcher, PostsAreRefusedBeforeStartAndAfterStop) {
  UiDispatcher d;
  std::vector<int> log;
  EXPECT_EQ(d.post(std::make_shared<Count>(log, 1)), -1);
  ASSERT_TRUE(d.start());
  EXPECT_TRUE(d.active());
  EXPECT_EQ(d.thread_id(), ::GetCurrentThreadId());
  EXPECT_EQ(d.post(std::make_shared<Count>(log, 2)), 0);
  d.stop();
  EXPECT_FALSE(d.active());
  EXPECT_EQ(d.post(std::make_shared<Count>(log, 3)), -1);
  pump();
  EXPECT_TRUE(log.empty()) << "the queued task was discarded at stop";
}

TEST(UiDispatcher, StartingTwiceKeepsItActive) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  EXPECT_TRUE(d.start());
  EXPECT_TRUE(d.active());
  std::vector<int> log;
  EXPECT_EQ(d.post(std::make_shared<Count>(log, 1)), 0);
  pump();
  EXPECT_EQ(log, (std::vector<int>{1}));
  d.stop();
  d.stop();
  EXPECT_FALSE(d.active());
}

TEST(UiDispatcher, EachWmNullTakenFromTheQueueRunsOneTask) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  pump();  // the start's own WM_NULL
  std::vector<int> log;
  d.post(std::make_shared<Count>(log, 1));
  d.post(std::make_shared<Count>(log, 2));
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_NULL, WM_NULL, PM_REMOVE));
  EXPECT_EQ(log, (std::vector<int>{1}));
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(log, (std::vector<int>{1})) << "a look without taking runs nothing";
  pump();
  EXPECT_EQ(log, (std::vector<int>{1, 2}));
  d.stop();
}

TEST(UiDispatcher, TasksPostedFromAnotherThreadRunOnTheUiThread) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  struct Probe : UiTask {
    DWORD ran_on = 0;
    void run() override { ran_on = ::GetCurrentThreadId(); }
  };
  auto probe = std::make_shared<Probe>();
  PostData data{&d, probe};
  HANDLE t = start_thread(posting_thread, &data);
  ASSERT_NE(t, nullptr);
  ::WaitForSingleObject(t, INFINITE);
  ::CloseHandle(t);
  pump();
  EXPECT_EQ(probe->ran_on, ::GetCurrentThreadId());
  d.stop();
}

TEST(UiDispatcher, StopJoinsAWorkerThatIsStillRunning) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  slow_finished = false;
  ASSERT_TRUE(d.add_worker(start_thread(slow_thread, nullptr)));
  d.stop();
  EXPECT_TRUE(slow_finished) << "stop returned before the worker ended";
}

TEST(UiDispatcher, WorkersAreRefusedWhenInactive) {
  UiDispatcher d;
  EXPECT_FALSE(d.add_worker(start_thread(quick_thread, nullptr))) << "the handle is closed, not joined";
}

struct Notified {
  std::atomic<std::int32_t> answer{-1};
};

DWORD WINAPI notifying_worker(void* p) {
  static_cast<Notified*>(p)->answer = notify_window("{code=1}");
  return 0;
}

TEST(UiDispatcher, AWorkerWaitingOnADiscardedNotificationIsReleasedWithZeroAndJoined) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  pump();
  Notified n;
  ASSERT_TRUE(d.add_worker(start_thread(notifying_worker, &n)));
  // The worker's notification is queued once its wake-up arrived.
  for (int i = 0; i < 500 && !thread_message_waiting(); ++i) ::Sleep(10);
  ASSERT_TRUE(thread_message_waiting());
  EXPECT_EQ(n.answer, -1) << "still waiting";
  d.stop();
  EXPECT_EQ(n.answer, 0);
}

TEST(UiDispatcher, ANotificationAfterStopAnswersZeroAtOnce) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  d.stop();
  EXPECT_EQ(notify_window("{code=1}"), 0);
}

TEST(UiDispatcher, ANotificationWithoutARunningWindowScriptAnswersZero) {
  UiDispatcher d;
  ASSERT_TRUE(d.start());
  pump();
  Notified n;
  ASSERT_TRUE(d.add_worker(start_thread(notifying_worker, &n)));
  for (int i = 0; i < 500 && n.answer == -1; ++i) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    pump();
  }
  EXPECT_EQ(n.answer, 0) << "delivered, and nobody answered";
  d.stop();
}

}  // namespace
}  // namespace vcam::uninstaller
