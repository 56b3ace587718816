#include "launcher/remote/remote_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/remote/whole_file.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using testing::ScratchFolder;
using testing::text_bytes;
using testing::write_bytes;

bytes read_bytes(const std::u16string& path) {
  std::string s;
  if (read_whole_file(path, kRemoteFileLimit, s) != whole_file_result::read) return {};
  return bytes(s.begin(), s.end());
}

// A stand-in for the HTTP step: writes the given body (or fails) and records
// the requests.
struct fake_download {
  fake_download(bool succeed, bytes body) : succeed(succeed), body(std::move(body)) {}
  bool succeed;
  bytes body;
  std::vector<std::string> urls;

  remote_download step() {
    return [this](const std::string& url, const std::u16string& path) {
      urls.push_back(url);
      if (!succeed) return false;
      write_bytes(std::filesystem::path(path), body);
      return true;
    };
  }
};

// Accepts files that start with "ok", recording the path and the text.
struct fake_loader {
  std::vector<std::u16string> paths;
  std::string accepted;

  remote_loader loader() {
    return [this](const std::u16string& path) {
      paths.push_back(path);
      const bytes b = read_bytes(path);
      const std::string s(b.begin(), b.end());
      if (s.rfind("ok", 0) != 0) return false;
      accepted = s;
      return true;
    };
  }
};

class FetchRemoteFile : public ::testing::Test {
 protected:
  ScratchFolder dir{"remote_file_"};
  remote_file_names names{"https://cfg.test/config/1.0.json", (dir / "config").u16string(),
                          (dir / "config-local").u16string()};
};

TEST_F(FetchRemoteFile, AValidDownloadIsPromotedByteForByte) {
  fake_download download{true, text_bytes("ok new\r\n\x01\xff")};
  write_bytes(std::filesystem::path(names.local_path), text_bytes("ok old"));
  fake_loader loader;
  ASSERT_TRUE(fetch_remote_file(download.step(), names, loader.loader()));
  EXPECT_EQ(download.urls, std::vector<std::string>{names.url});
  EXPECT_EQ(loader.paths, std::vector<std::u16string>{names.working_path});
  EXPECT_EQ(loader.accepted, "ok new\r\n\x01\xff");
  EXPECT_EQ(read_bytes(names.local_path), download.body);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(names.working_path)));
}

TEST_F(FetchRemoteFile, AValidDownloadIsPromotedWhenThereWasNoLocalCopy) {
  fake_download download{true, text_bytes("ok first")};
  fake_loader loader;
  ASSERT_TRUE(fetch_remote_file(download.step(), names, loader.loader()));
  EXPECT_EQ(read_bytes(names.local_path), download.body);
}

TEST_F(FetchRemoteFile, AnInvalidDownloadIsNotPromotedAndTheLocalCopyIsUsed) {
  fake_download download{true, text_bytes("{broken")};
  const bytes old = text_bytes("ok old \x00\x80 content");
  write_bytes(std::filesystem::path(names.local_path), old);
  fake_loader loader;
  ASSERT_TRUE(fetch_remote_file(download.step(), names, loader.loader()));
  EXPECT_EQ(loader.paths, (std::vector<std::u16string>{names.working_path, names.local_path}));
  EXPECT_EQ(loader.accepted, std::string(old.begin(), old.end()));
  EXPECT_EQ(read_bytes(names.local_path), old);
  // The rejected download stays under the working name for the next run to overwrite.
  EXPECT_EQ(read_bytes(names.working_path), download.body);
}

TEST_F(FetchRemoteFile, AFailedDownloadFallsBackToTheLocalCopy) {
  fake_download download{false, {}};
  write_bytes(std::filesystem::path(names.local_path), text_bytes("ok old"));
  fake_loader loader;
  ASSERT_TRUE(fetch_remote_file(download.step(), names, loader.loader()));
  EXPECT_EQ(loader.paths, std::vector<std::u16string>{names.local_path});
  EXPECT_EQ(loader.accepted, "ok old");
}

TEST_F(FetchRemoteFile, NoUsableCopyFails) {
  fake_loader loader;
  fake_download failing{false, {}};
  EXPECT_FALSE(fetch_remote_file(failing.step(), names, loader.loader()));  // no local copy at all

  write_bytes(std::filesystem::path(names.local_path), text_bytes("bad local"));
  fake_download invalid{true, text_bytes("bad remote")};
  EXPECT_FALSE(fetch_remote_file(invalid.step(), names, loader.loader()));
  EXPECT_EQ(read_bytes(names.local_path), text_bytes("bad local"));
  EXPECT_EQ(loader.accepted, "");
}

TEST_F(FetchRemoteFile, WithoutADownloadStepOnlyTheLocalCopyIsRead) {
  write_bytes(std::filesystem::path(names.local_path), text_bytes("ok old"));
  fake_loader loader;
  EXPECT_TRUE(fetch_remote_file(remote_download(), names, loader.loader()));
  EXPECT_EQ(loader.paths, std::vector<std::u16string>{names.local_path});
}

TEST(RemoteFileUrl, JoinsBaseVersionAndSuffix) {
  EXPECT_EQ(remote_file_url("https://h/config/", "1.2.3", ".json"), "https://h/config/1.2.3.json");
  EXPECT_EQ(remote_file_url("https://h/config/", "1.2.3", ".manifest"), "https://h/config/1.2.3.manifest");
}

}  // namespace
}  // namespace vcam::launcher
