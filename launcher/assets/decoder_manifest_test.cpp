#include "launcher/assets/decoder_manifest.h"

#include <gtest/gtest.h>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/remote/testing/serving_download.h"
#include "launcher/remote/whole_file.h"

namespace vcam::launcher {
namespace {

using testing::ScratchFolder;
using testing::text_bytes;
using testing::write_bytes;

class LoadDecoderManifest : public ::testing::Test {
 protected:
  LoadDecoderManifest() { origin.application_folder = dir.path().u16string() + u"/"; }

  remote_download serving(const std::string& body) { return vcam::testing::serving_download(body, &requested); }

  std::string local_copy() const {
    std::string s;
    read_whole_file((dir / "manifest_local").u16string(), kRemoteFileLimit, s);
    return s;
  }

  ScratchFolder dir{"decoder_manifest_"};
  log_capture log;
  remote_origin origin{"https://cfg.test/config/", "2.0", {}};
  std::vector<manifest_entry> entries;
  std::string requested;
};

const char kOneEntry[] = R"([{"name": "a.dll", "file": "a", "md5": "900150983cd24fb0d6963f7d28e17f72", "size": 3}])";

TEST_F(LoadDecoderManifest, AValidDownloadIsPromotedAndListed) {
  ASSERT_TRUE(load_decoder_manifest(serving(kOneEntry), origin, entries));
  EXPECT_EQ(requested, "https://cfg.test/config/2.0.manifest");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.dll");
  EXPECT_EQ(local_copy(), kOneEntry);
}

TEST_F(LoadDecoderManifest, ABadDownloadKeepsTheLocalCopy) {
  write_bytes(dir / "manifest_local", text_bytes(kOneEntry));
  ASSERT_TRUE(load_decoder_manifest(serving(R"([{"name": "b.dll", "file": "b", "size": 3}])"), origin, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.dll");
  EXPECT_EQ(local_copy(), kOneEntry);
  EXPECT_EQ(log.texts(), std::vector<std::string>{"assets - load_manifest_config_from_file, 45"});
}

TEST_F(LoadDecoderManifest, NoUsableCopyFails) {
  EXPECT_FALSE(load_decoder_manifest(serving(""), origin, entries));
  EXPECT_EQ(log.texts(), std::vector<std::string>{"assets - load_manifest_config_from_file, 30"});
  EXPECT_EQ(remote_manifest_url(origin), "https://cfg.test/config/2.0.manifest");
}

}  // namespace
}  // namespace vcam::launcher
