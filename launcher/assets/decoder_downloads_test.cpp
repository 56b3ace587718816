#include "launcher/assets/decoder_downloads.h"

#include <gtest/gtest.h>

#include <map>

namespace vcam::launcher {
namespace {

// Serves each URL with a digest for the file it "writes" and reports progress
// in steps of `step` up to the given total (the end twice, as libcurl does).
class fake_port final : public download_port {
 public:
  struct served {
    std::u16string digest;
    std::uint32_t total;
    bool started = true;
  };

  std::map<std::string, served> files;
  std::uint32_t step = 1;
  std::vector<std::string> calls;
  std::vector<std::uint64_t> positions;
  std::map<std::u16string, std::u16string> written;

  void create_parent_folders(const std::u16string& destination) override {
    calls.push_back("folders " + narrow(destination));
  }
  bool download(const std::string& url, const std::u16string& destination, const progress_sink& progress) override {
    calls.push_back("download " + url + " -> " + narrow(destination));
    const auto it = files.find(url);
    if (it == files.end()) return true;  // a 404: nothing written
    if (!it->second.started) return false;
    const std::uint32_t total = it->second.total;
    for (std::uint64_t now = 0; now < total; now += step) progress(static_cast<std::uint32_t>(now), total);
    progress(total, total);
    progress(total, total);
    written[destination] = it->second.digest;
    return true;
  }
  std::u16string file_md5(const std::u16string& path) override {
    calls.push_back("md5 " + narrow(path));
    const auto it = written.find(path);
    return it == written.end() ? std::u16string() : it->second;
  }
  void post_position(std::uint64_t position) override { positions.push_back(position); }

 private:
  static std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }
};

const std::u16string kFolder = u"C:\\app\\";
const std::string kCodecs = "https://codecs.test/";

TEST(DecoderDownloads, DownloadsAndVerifiesEveryFileInOrder) {
  fake_port port;
  port.step = 100;
  port.files["https://codecs.test/a.bin"] = {u"aaaa", 300};
  port.files["https://codecs.test/sub/b.bin"] = {u"bbbb", 200};
  std::string failed = "untouched";
  ASSERT_TRUE(run_decoder_downloads({{"a.dll", "a.bin", u"aaaa", 300}, {"codecs\\b.dll", "sub/b.bin", u"bbbb", 200}},
                                    kFolder, kCodecs, port, failed));
  EXPECT_EQ(failed, "untouched");
  EXPECT_EQ(port.calls, (std::vector<std::string>{
                            "folders C:\\app\\a.dll", "download https://codecs.test/a.bin -> C:\\app\\a.dll",
                            "md5 C:\\app\\a.dll", "folders C:\\app\\codecs\\b.dll",
                            "download https://codecs.test/sub/b.bin -> C:\\app\\codecs\\b.dll",
                            "md5 C:\\app\\codecs\\b.dll"}));
  // The second file's positions continue from the first file's size.
  EXPECT_EQ(port.positions, (std::vector<std::uint64_t>{100, 200, 300, 400, 500}));
}

TEST(DecoderDownloads, TheFirstFileThatFailsVerificationEndsTheRun) {
  fake_port port;
  port.files["https://codecs.test/a"] = {u"aaaa", 10};
  port.files["https://codecs.test/b"] = {u"wrong", 10};
  port.files["https://codecs.test/c"] = {u"cccc", 10};
  std::string failed;
  EXPECT_FALSE(run_decoder_downloads(
      {{"a", "a", u"aaaa", 10}, {"b", "b", u"bbbb", 10}, {"c", "c", u"cccc", 10}}, kFolder, kCodecs, port, failed));
  EXPECT_EQ(failed, "https://codecs.test/b");
  EXPECT_EQ(port.calls.back(), "md5 C:\\app\\b");
  EXPECT_EQ(port.calls.size(), 6u);
}

TEST(DecoderDownloads, AFileThatIsNotServedOrCannotStartFails) {
  fake_port port;
  std::string failed;
  EXPECT_FALSE(run_decoder_downloads({{"a", "missing", u"aaaa", 10}}, kFolder, kCodecs, port, failed));
  EXPECT_EQ(failed, "https://codecs.test/missing");

  port.files["https://codecs.test/a"] = {u"aaaa", 10, false};
  EXPECT_FALSE(run_decoder_downloads({{"a", "a", u"aaaa", 10}}, kFolder, kCodecs, port, failed));
  EXPECT_EQ(failed, "https://codecs.test/a");
  EXPECT_EQ(port.calls.back(), "download https://codecs.test/a -> C:\\app\\a");
}

TEST(DecoderDownloads, AnEmptyExpectedDigestNeverVerifies) {
  fake_port port;
  std::string failed;
  EXPECT_FALSE(run_decoder_downloads({{"a", "missing", u"", 10}}, kFolder, kCodecs, port, failed));
  EXPECT_EQ(failed, "https://codecs.test/missing");
}

TEST(DecoderDownloads, NothingListedIsASuccessWithoutCalls) {
  fake_port port;
  std::string failed;
  EXPECT_TRUE(run_decoder_downloads({}, kFolder, kCodecs, port, failed));
  EXPECT_TRUE(port.calls.empty());
}

TEST(DecoderDownloads, EachFileIsPostedAtMost257Times) {
  fake_port port;
  port.files["https://codecs.test/a"] = {u"aaaa", 100'000};
  port.files["https://codecs.test/b"] = {u"bbbb", 777};
  std::string failed;
  ASSERT_TRUE(
      run_decoder_downloads({{"a", "a", u"aaaa", 100'000}, {"b", "b", u"bbbb", 777}}, kFolder, kCodecs, port, failed));
  const auto first_end = std::find(port.positions.begin(), port.positions.end(), 100'000u);
  ASSERT_NE(first_end, port.positions.end());
  EXPECT_LE(first_end - port.positions.begin() + 1, 257);
  EXPECT_LE(port.positions.end() - first_end - 1, 257);
  EXPECT_EQ(port.positions.back(), 100'777u);
}

}  // namespace
}  // namespace vcam::launcher
