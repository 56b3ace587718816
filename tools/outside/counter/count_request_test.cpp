#include "tools/outside/counter/count_request.h"

#include <gtest/gtest.h>

namespace vcam::counter {
namespace {

TEST(CountArguments, TakesOneKnownEvent) {
  std::string event = "none", error;
  ASSERT_TRUE(parse_count_arguments({u"crash"}, event, error));
  EXPECT_EQ(event, "crash");
  ASSERT_TRUE(parse_count_arguments({u"uninstall"}, event, error));
  EXPECT_EQ(event, "uninstall");
}

TEST(CountArguments, RefusesOtherWordsAndCounts) {
  for (const auto& args : std::vector<std::vector<std::u16string>>{
           {}, {u"crash", u"uninstall"}, {u"Crash"}, {u"crash&event=x"}, {u""}, {u"uninstall "}}) {
    std::string event = "kept", error;
    EXPECT_FALSE(parse_count_arguments(args, event, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(event, "kept");
  }
}

TEST(CountUrl, AddsTheEventAndTheTimeToTheQuery) {
  EXPECT_EQ(count_url("http://c/VCamCount.php", "crash", 1765143000),
            "http://c/VCamCount.php?event=crash&time=1765143000");
  EXPECT_EQ(count_url("https://c/VCamCount.php?product=vcam", "uninstall", 5),
            "https://c/VCamCount.php?product=vcam&event=uninstall&time=5");
  EXPECT_EQ(count_url("http://c/x", "crash", -3), "http://c/x?event=crash&time=0");
}

TEST(CountDeadline, WhatIsLeftShrinksToNothing) {
  EXPECT_EQ(remaining_ms(0), kCountDeadlineMs);
  EXPECT_EQ(remaining_ms(1500), kCountDeadlineMs - 1500);
  EXPECT_EQ(remaining_ms(kCountDeadlineMs), 0u);
  EXPECT_EQ(remaining_ms(kCountDeadlineMs + 100000), 0u);
  EXPECT_LT(kCountDeadlineMs, 5000u) << "the caller is promised 5 s at most, process start included";
}

}  // namespace
}  // namespace vcam::counter
