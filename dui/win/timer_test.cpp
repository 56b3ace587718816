// Thread timers of the UI thread.
#include "dui/win/timer.h"

#include <gtest/gtest.h>

#include <thread>

#include "dui/win/window_test_support.h"

namespace vcam::dui::wintest {
namespace {

class CountingTimer : public Timer {
 public:
  void OnTimer() override {
    ++ticks;
    thread = std::this_thread::get_id();
    if (stop_after && ticks >= stop_after) Stop();
  }
  int ticks = 0;
  int stop_after = 0;
  std::thread::id thread;
};

TEST(Timer, FiresOnTheUiThreadUntilStopped) {
  CountingTimer t;
  t.set_interval(10);
  t.stop_after = 2;
  EXPECT_FALSE(t.running());
  t.Start();
  ASSERT_TRUE(t.running());
  EXPECT_EQ(Timer::Find(t.id()), &t);
  EXPECT_EQ(t.ticks, 0) << "nothing before the loop runs";
  ASSERT_TRUE(PumpUntil([&] { return !t.running(); }));
  EXPECT_EQ(t.ticks, 2);
  EXPECT_EQ(t.thread, std::this_thread::get_id());
  EXPECT_EQ(Timer::Find(t.id()), nullptr);
  t.Stop();  // stopping twice is harmless
  EXPECT_FALSE(t.running());
}

TEST(Timer, StartingTwiceKeepsOneTimerAndADestroyedTimerIsForgotten) {
  UINT_PTR id = 0;
  {
    CountingTimer t;
    t.Start();
    id = t.id();
    t.Start();
    EXPECT_EQ(t.id(), id);
    EXPECT_EQ(t.interval(), 100u) << "the default interval";
  }
  EXPECT_EQ(Timer::Find(id), nullptr);
  Pump();
}

TEST(Timer, TwoTimersGetTheirOwnIdsAndTicks) {
  CountingTimer a, b;
  a.set_interval(10);
  b.set_interval(10);
  a.stop_after = 1;
  b.stop_after = 1;
  a.Start();
  b.Start();
  EXPECT_NE(a.id(), b.id());
  ASSERT_TRUE(PumpUntil([&] { return !a.running() && !b.running(); }));
  EXPECT_EQ(a.ticks, 1);
  EXPECT_EQ(b.ticks, 1);
}

}  // namespace
}  // namespace vcam::dui::wintest
