#include "uninstaller/guard/restart_marker_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam::uninstaller {
namespace {

using bytes = std::vector<unsigned char>;
const shutdown_stamp kStamp = {1, 2, 3, 4, 5, 6, 7, 8};
const shutdown_stamp kZeros = {};

std::span<const unsigned char> view(const bytes& b) { return b; }

bool same(marker_judgement j, bool pending, bool del) { return j.restart_pending == pending && j.delete_marker == del; }

TEST(UninstallerMarkerCheck, NoFileIsNoObstacleAndNothingToDelete) {
  EXPECT_TRUE(same(judge_marker_for_uninstaller(false, std::nullopt, kStamp), false, false));
}

TEST(UninstallerMarkerCheck, AMatchingStampBlocksAndKeepsTheMarker) {
  const bytes marker(kStamp.begin(), kStamp.end());
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(marker), kStamp), true, false));
}

TEST(UninstallerMarkerCheck, AnotherStampIsStaleAndDeleted) {
  const bytes marker = {1, 2, 3, 4, 5, 6, 7, 9};
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(marker), kStamp), false, true));
}

TEST(UninstallerMarkerCheck, AShortOrUnopenableMarkerIsDeleted) {
  const bytes seven(kStamp.begin(), kStamp.begin() + 7);
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(seven), kStamp), false, true));
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(bytes{}), kStamp), false, true));
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, std::nullopt, kStamp), false, true));
}

TEST(UninstallerMarkerCheck, OnlyTheFirstEightBytesCount) {
  // The uninstaller reads 8 bytes, so a longer marker is judged by its head.
  bytes nine(kStamp.begin(), kStamp.end());
  nine.push_back(0);
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, std::span<const unsigned char>(nine.data(), 8), kStamp), true, false));
}

TEST(UninstallerMarkerCheck, AnUnreadableStampReadAsZerosMatchesAZeroMarker) {
  const bytes zeros(8, 0);
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(zeros), kZeros), true, false));
  const bytes marker(kStamp.begin(), kStamp.end());
  EXPECT_TRUE(same(judge_marker_for_uninstaller(true, view(marker), kZeros), false, true));
}

TEST(LauncherMarkerCheck, PendingOnlyForExactlyTheEightStampBytes) {
  const bytes marker(kStamp.begin(), kStamp.end());
  EXPECT_TRUE(judge_marker_for_launcher(kStamp, view(marker)));
  bytes nine = marker;
  nine.push_back(0);
  EXPECT_FALSE(judge_marker_for_launcher(kStamp, view(nine)));
  const bytes seven(marker.begin(), marker.begin() + 7);
  EXPECT_FALSE(judge_marker_for_launcher(kStamp, view(seven)));
  EXPECT_FALSE(judge_marker_for_launcher(kStamp, view(bytes{8, 7, 6, 5, 4, 3, 2, 1})));
  EXPECT_FALSE(judge_marker_for_launcher(kStamp, std::nullopt));
}

TEST(LauncherMarkerCheck, AnUnreadableStampNeverBlocks) {
  const bytes zeros(8, 0);
  EXPECT_FALSE(judge_marker_for_launcher(std::nullopt, view(zeros)));
  const bytes marker(kStamp.begin(), kStamp.end());
  EXPECT_FALSE(judge_marker_for_launcher(std::nullopt, view(marker)));
}

}  // namespace
}  // namespace vcam::uninstaller

#include "uninstaller/guard/guard_probe_rule.h"

namespace vcam::uninstaller {
namespace {

TEST(GuardProbeRule, AnExistingGuardOrOneWeMayNotOpenIsHeld) {
  EXPECT_TRUE(guard_probe_says_held(true, probe_error::already_exists));
  EXPECT_TRUE(guard_probe_says_held(false, probe_error::access_denied));
}

TEST(GuardProbeRule, ANewGuardOrAnyOtherFailureIsNoObstacle) {
  EXPECT_FALSE(guard_probe_says_held(true, probe_error::none));
  EXPECT_FALSE(guard_probe_says_held(true, probe_error::access_denied)) << "a handle came back: we created it";
  EXPECT_FALSE(guard_probe_says_held(false, probe_error::other));
  EXPECT_FALSE(guard_probe_says_held(false, probe_error::none));
  EXPECT_FALSE(guard_probe_says_held(false, probe_error::already_exists));
}

}  // namespace
}  // namespace vcam::uninstaller
