#include "camera/dshow/stream_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace vcam::dshow {
namespace {

using Command = StreamThread::Command;

TEST(StreamThread, CallingWithoutAThreadFails) {
  StreamThread thread;
  EXPECT_FALSE(thread.Exists());
  EXPECT_EQ(thread.CallWorker(Command::kInit), E_FAIL);
  thread.Close();
  thread.Close();
}

TEST(StreamThread, EachCommandGetsTheWorkersReply) {
  StreamThread thread;
  std::vector<Command> seen;
  ASSERT_TRUE(thread.Create([&] {
    for (;;) {
      const Command c = thread.GetRequest();
      seen.push_back(c);
      thread.Reply(c == Command::kPause ? S_FALSE : S_OK);
      if (c == Command::kExit) return;
    }
  }));
  EXPECT_FALSE(thread.Create([] {})) << "one worker at a time";
  EXPECT_EQ(thread.CallWorker(Command::kInit), S_OK);
  EXPECT_EQ(thread.CallWorker(Command::kPause), S_FALSE);
  EXPECT_EQ(thread.CallWorker(Command::kExit), S_OK);
  thread.Close();
  EXPECT_FALSE(thread.Exists());
  EXPECT_EQ(seen, (std::vector<Command>{Command::kInit, Command::kPause, Command::kExit}));
}

TEST(StreamThread, PendingCommandIsSeenByCheckUntilReplied) {
  StreamThread thread;
  std::atomic<int> peeks{0};
  ASSERT_TRUE(thread.Create([&] {
    Command c = Command::kNone;
    while (!thread.CheckRequest(&c)) thread.WaitForRequest(std::chrono::milliseconds(50));
    // A peek leaves the command pending for GetRequest.
    Command again = Command::kNone;
    if (thread.CheckRequest(&again) && again == c) ++peeks;
    if (thread.GetRequest() == c) ++peeks;
    thread.Reply(S_OK);
  }));
  EXPECT_EQ(thread.CallWorker(Command::kStop), S_OK);
  thread.Close();
  EXPECT_EQ(peeks, 2);
}

TEST(StreamThread, WorkerEndingWithoutReplyReleasesTheCaller) {
  StreamThread thread;
  ASSERT_TRUE(thread.Create([&] { thread.GetRequest(); }));
  EXPECT_EQ(thread.CallWorker(Command::kInit), E_FAIL);
  thread.Close();
  // A new worker may start after the old one ended.
  ASSERT_TRUE(thread.Create([&] { thread.Reply(thread.GetRequest() == Command::kRun ? S_OK : E_FAIL); }));
  EXPECT_EQ(thread.CallWorker(Command::kRun), S_OK);
  thread.Close();
}

}  // namespace
}  // namespace vcam::dshow
