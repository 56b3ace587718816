// Decoder files and the patcher fetched from the local HTTPS server with the
// libcurl download port and verified by their digests.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/assets/decoder_downloads.h"
#include "launcher/assets/http_download_port.h"
#include "launcher/assets/md5_digest.h"
#include "launcher/update/patch_download.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher {
namespace {

using vcam::testing::bytes;
using vcam::testing::https_test_server;

std::u16string digest_of(const bytes& b) {
  return md5_hex(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

bytes file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return bytes(std::istreambuf_iterator<char>(in), {});
}

class DecoderDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = https_test_server::from_environment();
    ASSERT_TRUE(server.available()) << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    // One served folder per test.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    served = std::filesystem::path(server.root_folder()) / "codecs" / test;
    std::filesystem::create_directories(served);
    url_codecs = server.url("/codecs/" + test + "/");
    folder = dir.path().u16string() + u"\\";
  }

  void serve(const std::string& name, const bytes& content) { testing::write_bytes(served / name, content); }

  https_test_server server;
  vcam::testing::ScratchFolder dir{"decoder_download_"};
  std::filesystem::path served;
  std::string url_codecs;
  std::u16string folder;
  std::vector<std::uint64_t> positions;
  http_download_port port{[this](std::uint64_t p) { positions.push_back(p); }};
};

TEST_F(DecoderDownloadTest, ListedFilesAreFetchedIntoNewFoldersAndVerified) {
  const bytes a = testing::text_bytes("abc");
  const bytes b = testing::random_bytes(300'000, 5);
  serve("a.bin", a);
  serve("b.bin", b);
  std::string failed = "untouched";
  ASSERT_TRUE(run_decoder_downloads({{"sub\\deeper\\a.dll", "a.bin", digest_of(a), 3},
                                     {"b.dll", "b.bin", digest_of(b), 300'000}},
                                    folder, url_codecs, port, failed));
  EXPECT_EQ(failed, "untouched");
  EXPECT_EQ(file_bytes(dir / "sub" / "deeper" / "a.dll"), a);
  EXPECT_EQ(file_bytes(dir / "b.dll"), b);
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.back(), 300'003u);
  EXPECT_LE(positions.size(), 2u * 257u);
}

TEST_F(DecoderDownloadTest, AFileThatDoesNotVerifyStopsTheRunWithItsUrl) {
  serve("a.bin", testing::text_bytes("abc"));
  serve("c.bin", testing::text_bytes("c"));
  std::string failed;
  EXPECT_FALSE(run_decoder_downloads({{"a.dll", "a.bin", u"900150983CD24FB0D6963F7D28E17F72", 3},
                                      {"c.dll", "c.bin", digest_of(testing::text_bytes("c")), 1}},
                                     folder, url_codecs, port, failed));
  EXPECT_EQ(failed, url_codecs + "a.bin");
  // Left as downloaded for the next start to fetch again; the next file was never asked for.
  EXPECT_EQ(file_bytes(dir / "a.dll"), testing::text_bytes("abc"));
  EXPECT_FALSE(std::filesystem::exists(dir / "c.dll"));
}

TEST_F(DecoderDownloadTest, AMissingRemoteFileFailsOnceAndLeavesNoFile) {
  std::string failed;
  EXPECT_FALSE(run_decoder_downloads({{"x.dll", "missing.bin", u"900150983cd24fb0d6963f7d28e17f72", 3}}, folder,
                                     url_codecs, port, failed));
  EXPECT_EQ(failed, url_codecs + "missing.bin");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.dll"));
  const std::string path = "/codecs/" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                           "/missing.bin";
  EXPECT_EQ(server.requests_for(path).size(), 1u);
}

TEST_F(DecoderDownloadTest, APatcherThatNeverMatchesIsFetchedThreeTimes) {
  serve("3.0.exe", testing::text_bytes("MZ not the patcher"));
  std::filesystem::create_directories(dir / "patch");
  const std::u16string patcher = folder + u"patch\\patch.exe";
  EXPECT_FALSE(run_patch_download(url_codecs + "3.0.exe", patcher, u"0123456789abcdef0123456789abcdef", port));
  const std::string path = "/codecs/" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                           "/3.0.exe";
  EXPECT_EQ(server.requests_for(path).size(), 3u);
  EXPECT_TRUE(run_patch_download(url_codecs + "3.0.exe", patcher, digest_of(testing::text_bytes("MZ not the patcher")),
                                 port));
  EXPECT_EQ(server.requests_for(path).size(), 4u);
}

}  // namespace
}  // namespace vcam::launcher
