#include "tools/outside/client/client_autopilot.h"

#include <gtest/gtest.h>

namespace vcam::client {
namespace {

TEST(ClientAutopilot, EmptyMeansAPersonDrives) {
  ClientAutopilot a;
  std::string error;
  ASSERT_TRUE(parse_client_autopilot("", a, error));
  EXPECT_FALSE(a.close_after);
  EXPECT_FALSE(a.restart_after);
  EXPECT_EQ(a.source, PictureSource::TestCard);
  EXPECT_TRUE(a.channel_suffix.empty());
}

TEST(ClientAutopilot, ReadsEveryWordWithBlanksOrSemicolons) {
  ClientAutopilot a;
  std::string error;
  ASSERT_TRUE(parse_client_autopilot(" restart=45;source=screen  channel=-t-12;", a, error)) << error;
  EXPECT_EQ(a.restart_after, 45u);
  EXPECT_FALSE(a.close_after);
  EXPECT_EQ(a.source, PictureSource::Screen);
  EXPECT_EQ(a.channel_suffix, u"-t-12");
  ASSERT_TRUE(parse_client_autopilot("close=3 source=card", a, error));
  EXPECT_EQ(a.close_after, 3u);
  EXPECT_EQ(a.source, PictureSource::TestCard);
}

TEST(ClientAutopilot, RefusesTyposAndLeavesTheOldValue) {
  ClientAutopilot a;
  a.close_after = 7;
  std::string error;
  for (const char* bad : {"close=0", "close=", "close=3x", "close", "source=desk", "channel=", "closing=3",
                          "close=-1", "close=99999999999999999999999", "close=2 restart=2"}) {
    error.clear();
    EXPECT_FALSE(parse_client_autopilot(bad, a, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
    EXPECT_EQ(a.close_after, 7u) << bad;
  }
}

}  // namespace
}  // namespace vcam::client
