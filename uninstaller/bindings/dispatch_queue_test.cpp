// The dispatcher's queue: FIFO order, refusal when closed, discarded tasks
// letting their waiters go, and posts from many threads.
#include "uninstaller/bindings/dispatch_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "uninstaller/bindings/notify_task.h"

namespace vcam::uninstaller {
namespace {

class Recorder : public UiTask {
 public:
  Recorder(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void run() override { log_.push_back("run " + name_); }
  void discard() override { log_.push_back("discard " + name_); }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

using Queue = DispatchQueue<int>;

TEST(DispatchQueue, PostsAreRefusedUntilOpenedAndAfterClosing) {
  Queue q;
  std::vector<std::string> log;
  int wakes = 0;
  EXPECT_FALSE(q.post(std::make_shared<Recorder>(log, "early"), [&] { ++wakes; }));
  q.open([] {});
  EXPECT_TRUE(q.post(std::make_shared<Recorder>(log, "a"), [&] { ++wakes; }));
  EXPECT_FALSE(q.post(nullptr, [&] { ++wakes; }));
  q.close([] {});
  EXPECT_FALSE(q.post(std::make_shared<Recorder>(log, "late"), [&] { ++wakes; }));
  EXPECT_EQ(wakes, 1) << "one wake-up per queued task";
  EXPECT_EQ(log, (std::vector<std::string>{"discard a"}));
}

TEST(DispatchQueue, OneTaskRunsPerCallInPostingOrder) {
  Queue q;
  std::vector<std::string> log;
  q.open([] {});
  for (const char* name : {"1", "2", "3"}) q.post(std::make_shared<Recorder>(log, name), [] {});
  EXPECT_TRUE(q.run_one());
  EXPECT_EQ(log, (std::vector<std::string>{"run 1"}));
  EXPECT_TRUE(q.run_one());
  EXPECT_TRUE(q.run_one());
  EXPECT_FALSE(q.run_one()) << "nothing when empty";
  EXPECT_EQ(log, (std::vector<std::string>{"run 1", "run 2", "run 3"}));
}

TEST(DispatchQueue, ATaskMayPostAnotherWhileItRuns) {
  Queue q;
  q.open([] {});
  std::vector<std::string> log;
  struct Poster : UiTask {
    Queue& q;
    std::vector<std::string>& log;
    Poster(Queue& q, std::vector<std::string>& log) : q(q), log(log) {}
    void run() override { log.push_back(q.post(std::make_shared<Recorder>(log, "inner"), [] {}) ? "posted" : "refused"); }
  };
  q.post(std::make_shared<Poster>(q, log), [] {});
  EXPECT_TRUE(q.run_one());
  EXPECT_TRUE(q.run_one());
  EXPECT_EQ(log, (std::vector<std::string>{"posted", "run inner"}));
}

TEST(DispatchQueue, ClosingLetsAWorkerWaitingOnADiscardedNotificationGoWithZero) {
  Queue q;
  q.open([] {});
  auto task = std::make_shared<NotifyTask>("{code=4}", [](std::string_view) { return 7; });
  std::atomic<std::int32_t> answer{-1};
  std::thread worker([&] {
    ASSERT_TRUE(q.post(task, [] {}));
    answer = task->wait();
  });
  while (q.queued() == 0) std::this_thread::yield();
  EXPECT_EQ(q.close([] {}), 1u);
  worker.join();
  EXPECT_EQ(answer, 0);
  EXPECT_FALSE(q.run_one()) << "a discarded task never runs";
}

TEST(DispatchQueue, ARunNotificationAnswersWithTheDeliveredResultOnce) {
  Queue q;
  q.open([] {});
  auto task = std::make_shared<NotifyTask>("{code=10}", [](std::string_view text) {
    return static_cast<std::int32_t>(text.size());
  });
  q.post(task, [] {});
  EXPECT_FALSE(task->completed());
  q.run_one();
  EXPECT_TRUE(task->completed());
  task->discard();
  EXPECT_EQ(task->wait(), 9) << "the first answer stands";
}

TEST(DispatchQueue, PostsFromManyThreadsAllRunInEachThreadsOrder) {
  Queue q;
  q.open([] {});
  constexpr int kThreads = 4, kEach = 500;
  std::vector<std::vector<int>> seen(kThreads);
  struct Mark : UiTask {
    std::vector<int>& list;
    int n;
    Mark(std::vector<int>& list, int n) : list(list), n(n) {}
    void run() override { list.push_back(n); }
  };
  std::atomic<int> wakes{0};
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) q.post(std::make_shared<Mark>(seen[t], i), [&] { ++wakes; });
    });
  int ran = 0;
  while (ran < kThreads * kEach)
    if (q.run_one()) ++ran;
  for (auto& p : posters) p.join();
  EXPECT_EQ(wakes, kThreads * kEach);
  for (const auto& list : seen) {
    ASSERT_EQ(list.size(), static_cast<std::size_t>(kEach));
    for (int i = 0; i < kEach; ++i) ASSERT_EQ(list[i], i);
  }
}

TEST(DispatchQueue, WorkersAreFiledWhileOpenAndTheFirstStartsTheReaperOnce) {
  Queue q;
  int reapers = 0;
  auto start_reaper = [&] {
    ++reapers;
    return true;
  };
  EXPECT_FALSE(q.add_worker(1, start_reaper)) << "closed: cannot be joined";
  q.open([] {});
  EXPECT_TRUE(q.add_worker(2, start_reaper));
  EXPECT_TRUE(q.add_worker(3, start_reaper));
  EXPECT_EQ(reapers, 1);
  EXPECT_EQ(q.take_workers(), (std::vector<int>{2, 3}));
  EXPECT_TRUE(q.take_workers().empty()) << "taken and cleared";
  q.close([] {});
  EXPECT_FALSE(q.add_worker(4, start_reaper));
}

TEST(DispatchQueue, AReaperThatCannotStartRefusesTheWorkerAndIsTriedAgain) {
  Queue q;
  q.open([] {});
  bool can_start = false;
  auto start_reaper = [&] { return can_start; };
  EXPECT_FALSE(q.add_worker(1, start_reaper));
  EXPECT_FALSE(q.had_workers());
  can_start = true;
  EXPECT_TRUE(q.add_worker(2, start_reaper));
  EXPECT_EQ(q.take_workers(), (std::vector<int>{2}));
}

}  // namespace
}  // namespace vcam::uninstaller
