#include "launcher/update/patch_download.h"

#include <gtest/gtest.h>

#include <vector>

namespace vcam::launcher {
namespace {

// Each attempt "writes" the next digest of `digests` (the last one repeats).
class fake_port final : public download_port {
 public:
  std::vector<std::u16string> digests;
  bool starts = true;
  std::uint32_t total = 1000;
  int downloads = 0;
  std::vector<std::uint64_t> positions;
  std::u16string current;

  void create_parent_folders(const std::u16string&) override {}
  bool download(const std::string& url, const std::u16string& destination, const progress_sink& progress) override {
    EXPECT_EQ(url, "https://u.test/3.0.exe");
    EXPECT_EQ(destination, u"C:\\app\\patch\\patch.exe");
    ++downloads;
    if (!starts) return false;
    for (std::uint32_t now = 0; now <= total; ++now) progress(now, total);
    progress(total, total);
    current = digests[std::min<std::size_t>(downloads - 1, digests.size() - 1)];
    return true;
  }
  std::u16string file_md5(const std::u16string&) override { return current; }
  void post_position(std::uint64_t position) override { positions.push_back(position); }
};

bool run(fake_port& port, const std::u16string& md5 = u"good") {
  return run_patch_download("https://u.test/3.0.exe", u"C:\\app\\patch\\patch.exe", md5, port);
}

TEST(PatchDownload, AVerifiedFirstAttemptEndsTheDownload) {
  fake_port port;
  port.digests = {u"good"};
  EXPECT_TRUE(run(port));
  EXPECT_EQ(port.downloads, 1);
}

TEST(PatchDownload, APatcherThatNeverMatchesIsFetchedThreeTimes) {
  fake_port port;
  port.digests = {u"bad"};
  EXPECT_FALSE(run(port));
  EXPECT_EQ(port.downloads, 3);
}

TEST(PatchDownload, ALaterAttemptMaySucceed) {
  fake_port port;
  port.digests = {u"", u"bad", u"good"};
  EXPECT_TRUE(run(port));
  EXPECT_EQ(port.downloads, 3);
  fake_port second;
  second.digests = {u"bad", u"good"};
  EXPECT_TRUE(run(second));
  EXPECT_EQ(second.downloads, 2);
}

TEST(PatchDownload, ATransferThatCannotStartIsNotRetried) {
  fake_port port;
  port.starts = false;
  EXPECT_FALSE(run(port));
  EXPECT_EQ(port.downloads, 1);
}

TEST(PatchDownload, AnEmptyDigestNeverVerifies) {
  fake_port port;
  port.digests = {u""};
  EXPECT_FALSE(run(port, u""));
  EXPECT_EQ(port.downloads, 3);
}

TEST(PatchDownload, ProgressCountsFromZeroAtMost257TimesAnAttempt) {
  fake_port port;
  port.digests = {u"bad", u"good"};
  ASSERT_TRUE(run(port));
  ASSERT_FALSE(port.positions.empty());
  EXPECT_LE(port.positions.size(), 2u * 257u);
  EXPECT_EQ(port.positions.back(), 1000u);
  EXPECT_EQ(std::count(port.positions.begin(), port.positions.end(), 1000u), 2);
  for (auto p : port.positions) EXPECT_LE(p, 1000u);
}

}  // namespace
}  // namespace vcam::launcher
