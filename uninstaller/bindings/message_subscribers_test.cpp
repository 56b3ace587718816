// Notifications asked of the subscribed windows in order; the last answer counts.
#include "uninstaller/bindings/message_subscribers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vcam::uninstaller {
namespace {

struct Window {
  std::int32_t answer;
  std::vector<std::string>* log;
  MessageSubscribers* subscribers = nullptr;
  Window* leaves = nullptr;  // unsubscribed when this one is asked
};

std::int32_t ask(void* subscriber, std::string_view text) {
  auto* w = static_cast<Window*>(subscriber);
  w->log->push_back(std::to_string(w->answer) + ":" + std::string(text));
  if (w->leaves) w->subscribers->unsubscribe(w->leaves);
  return w->answer;
}

TEST(MessageSubscribers, NobodySubscribedAnswersZero) {
  MessageSubscribers s;
  EXPECT_EQ(s.send("{code=1}"), 0);
}

TEST(MessageSubscribers, EachIsAskedInSubscriptionOrderAndTheLastAnswerCounts) {
  std::vector<std::string> log;
  Window a{5, &log}, b{2, &log};
  MessageSubscribers s;
  s.subscribe(&a, ask);
  s.subscribe(&b, ask);
  s.subscribe(&a, ask);  // keeps its place
  EXPECT_EQ(s.size(), 2u);
  EXPECT_EQ(s.send("t"), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"5:t", "2:t"}));
  s.unsubscribe(&b);
  EXPECT_EQ(s.send("u"), 5);
  s.unsubscribe(&a);
  EXPECT_EQ(s.send("v"), 0);
}

TEST(MessageSubscribers, OneThatLeftDuringASendIsNotAsked) {
  std::vector<std::string> log;
  MessageSubscribers s;
  Window b{2, &log};
  Window a{5, &log, &s, &b};
  s.subscribe(&a, ask);
  s.subscribe(&b, ask);
  EXPECT_EQ(s.send("t"), 5);
  EXPECT_EQ(log, (std::vector<std::string>{"5:t"}));
  EXPECT_FALSE(s.contains(&b));
}

TEST(MessageSubscribers, NullSubscribersAndHandlersAreIgnored) {
  MessageSubscribers s;
  std::vector<std::string> log;
  Window a{1, &log};
  s.subscribe(nullptr, ask);
  s.subscribe(&a, nullptr);
  EXPECT_EQ(s.size(), 0u);
}

}  // namespace
}  // namespace vcam::uninstaller
