// The decoder step end to end: the manifest from the fixture server (named
// through the configuration-server override), the files fetched on the task
// runner behind the progress window from the shipped layout pack, and the
// owner token that keeps late progress away from a destroyed window.
#include "launcher/assets/win/update_decoders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/testing/test_bytes.h"
#include "launcher/assets/md5_digest.h"
#include "launcher/assets/win/testing/launcher_ui_session.h"
#include "launcher/async/win/message_window.h"
#include "launcher/async/win/task_runner.h"
#include "tools/https_server/fixture_answers.h"

namespace vcam::launcher {
namespace {

using testing::bytes;
using wintest::launcher_ui_session;

std::string hex_of(const bytes& b) {
  const std::u16string d = md5_hex(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
  return std::string(d.begin(), d.end());
}

bytes file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return bytes(std::istreambuf_iterator<char>(in), {});
}

struct decoder {
  std::string name;  // below the application folder
  std::string file;  // below url_codecs
  bytes content;
  std::string md5 = {};  // empty: the content's
  long long size = -1;  // negative: the content's
};

class UpdateDecoders : public ::testing::Test {
 protected:
  void SetUp() override {
    ui = std::make_unique<launcher_ui_session>();
    ASSERT_TRUE(ui->ready());
    codecs_path = "/codecs/" + ui->test_name + "/";
    url_codecs = ui->server.url(codecs_path);
    options.stall_seconds = 3;
    options.progress.counters = counters;
    options.progress.on_shown = [this](void* window) { shown = static_cast<HWND>(window); };
  }
  void TearDown() override { ui.reset(); }

  std::string manifest_path() const { return "/config/" + ui->test_name + ".manifest"; }

  void publish(const std::vector<decoder>& decoders) {
    std::string manifest = "[";
    for (const auto& d : decoders) {
      if (manifest.size() > 1) manifest += ",";
      std::string escaped;
      for (char c : d.name) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
      manifest += "{\"name\": \"" + escaped + "\", \"file\": \"" + d.file + "\", \"md5\": \"" +
                  (d.md5.empty() ? hex_of(d.content) : d.md5) + "\", \"size\": " +
                  std::to_string(d.size < 0 ? static_cast<long long>(d.content.size()) : d.size) + "}";
      testing::serve_bytes(ui->server, codecs_path + d.file,
                           std::string_view(reinterpret_cast<const char*>(d.content.data()), d.content.size()));
    }
    testing::serve_bytes(ui->server, manifest_path(), manifest + "]");
  }
  std::size_t requests_for(const std::string& file) const {
    return ui->server.requests_for(codecs_path + file).size();
  }
  bool run() { return update_decoders(ui->session, url_codecs, error, options); }

  std::unique_ptr<launcher_ui_session> ui;
  std::string codecs_path, url_codecs;
  std::u16string error;
  std::shared_ptr<progress_job_counters> counters = std::make_shared<progress_job_counters>();
  decoder_sync_options options;
  HWND shown = nullptr;
};

std::u16string u16_of(const std::string& s) { return std::u16string(s.begin(), s.end()); }

TEST_F(UpdateDecoders, ListedFilesAreFetchedBehindTheProgressWindowAndVerified) {
  const bytes a = testing::random_bytes(700'000, 1), b = testing::random_bytes(3, 2);
  testing::write_bytes(ui->folder / "kept.dll", testing::text_bytes("same"));
  publish({{"codecs\\a.dll", "a.bin", a}, {"b.dll", "b.bin", b}, {"kept.dll", "kept.bin", testing::text_bytes("same")}});
  ASSERT_TRUE(run()) << std::string(error.begin(), error.end());
  EXPECT_EQ(file_bytes(ui->folder / "codecs" / "a.dll"), a);
  EXPECT_EQ(file_bytes(ui->folder / "b.dll"), b);
  EXPECT_EQ(requests_for("kept.bin"), 0u) << "a file with the right digest is not fetched";
  EXPECT_NE(shown, nullptr);
  EXPECT_FALSE(::IsWindow(shown)) << "the progress window is destroyed";
  EXPECT_EQ(ui->splash.calls, std::vector<std::string>{"hide"});
  // Every post ran while the window lived, at most 257 a file.
  EXPECT_GT(counters->posted.load(), 0u);
  EXPECT_LE(counters->posted.load(), 2u * 257u);
  EXPECT_EQ(counters->applied.load(), counters->posted.load());
  EXPECT_TRUE(std::filesystem::exists(ui->folder / "manifest_local"));
}

TEST_F(UpdateDecoders, AFileArrivingInManySmallPiecesMovesTheBarAtMost257Times) {
  const bytes a = testing::random_bytes(1'000'000, 9);
  publish({{"a.dll", "a.bin", a}});
  // 50 pieces 20 ms apart: libcurl reports progress as they come.
  testing::set_answer(ui->server, codecs_path + "a.bin", "slow 20000 20");
  ASSERT_TRUE(run());
  EXPECT_EQ(file_bytes(ui->folder / "a.dll"), a);
  EXPECT_LE(counters->posted.load(), 257u);
  EXPECT_GE(counters->posted.load(), 10u) << "progress of a slow file reaches the window as it comes";
  EXPECT_EQ(counters->applied.load(), counters->posted.load());
}

TEST_F(UpdateDecoders, WhenAllSizesAreZeroNothingIsFetchedAndNoWindowShown) {
  publish({{"a.dll", "a.bin", testing::text_bytes("abc"), "", 0}, {"b.dll", "b.bin", testing::text_bytes("x"), "", 0}});
  ASSERT_TRUE(run());
  EXPECT_EQ(requests_for("a.bin") + requests_for("b.bin"), 0u);
  EXPECT_EQ(shown, nullptr);
  EXPECT_TRUE(ui->splash.calls.empty());
  EXPECT_FALSE(std::filesystem::exists(ui->folder / "a.dll"));
}

TEST_F(UpdateDecoders, AFileFailingVerificationStopsTheWorkerThereWithItsUrl) {
  publish({{"a.dll", "a.bin", testing::random_bytes(5000, 3)},
           {"b.dll", "b.bin", testing::random_bytes(5000, 4)},
           {"c.dll", "c.bin", testing::random_bytes(5000, 5)}});
  testing::set_answer(ui->server, codecs_path + "b.bin", "corrupt");
  EXPECT_FALSE(run());
  EXPECT_EQ(error, u16_of(url_codecs + "b.bin"));
  EXPECT_EQ(requests_for("b.bin"), 1u) << "decoder files get one attempt";
  EXPECT_EQ(requests_for("c.bin"), 0u);
  EXPECT_TRUE(std::filesystem::exists(ui->folder / "b.dll")) << "left as downloaded, fetched again next start";
}

TEST_F(UpdateDecoders, AnUpperCaseDigestNeverMatches) {
  const bytes a = testing::text_bytes("abc");
  publish({{"a.dll", "a.bin", a, "900150983CD24FB0D6963F7D28E17F72"}});
  testing::write_bytes(ui->folder / "a.dll", a);
  EXPECT_FALSE(run());
  EXPECT_EQ(requests_for("a.bin"), 1u) << "listed although the local file is right";
  EXPECT_EQ(error, u16_of(url_codecs + "a.bin"));
}

TEST_F(UpdateDecoders, AnEmptyLocalFileIsAlwaysFetched) {
  // The digest of an empty file is the empty text, which matches nothing,
  // not even the digest of no bytes.
  testing::write_bytes(ui->folder / "e.dll", {});
  publish({{"e.dll", "e.bin", {}, "d41d8cd98f00b204e9800998ecf8427e", 1}});
  EXPECT_FALSE(run());
  EXPECT_EQ(requests_for("e.bin"), 1u);
}

TEST_F(UpdateDecoders, AStalledDownloadIsAbandonedAndReported) {
  publish({{"s.dll", "s.bin", testing::random_bytes(100'000, 6)}, {"t.dll", "t.bin", testing::random_bytes(10, 7)}});
  testing::set_answer(ui->server, codecs_path + "s.bin", "stall 20000");
  const DWORD start = ::GetTickCount();
  EXPECT_FALSE(run());
  EXPECT_LT(::GetTickCount() - start, static_cast<DWORD>(kStallSeconds * 1000)) << "the stall limit (3 s here) ends the transfer";
  EXPECT_EQ(error, u16_of(url_codecs + "s.bin"));
  EXPECT_EQ(requests_for("t.bin"), 0u);
}

TEST_F(UpdateDecoders, WithoutAUsableManifestTheErrorIsTheRemoteManifestUrl) {
  testing::set_answer(ui->server, manifest_path(), "status 500");
  EXPECT_FALSE(run());
  EXPECT_EQ(error, u16_of(ui->server.url(manifest_path())));
  EXPECT_EQ(ui->server.requests_for(manifest_path()).size(), 3u);
  EXPECT_EQ(shown, nullptr);
}

TEST_F(UpdateDecoders, AManifestElementWithoutMd5RejectsTheWholeManifest) {
  testing::serve_bytes(ui->server, manifest_path(),
                       "[{\"name\": \"a.dll\", \"file\": \"a.bin\", \"md5\": \"900150983cd24fb0d6963f7d28e17f72\", "
                       "\"size\": 3}, {\"name\": \"b.dll\", \"file\": \"b.bin\", \"size\": 3}]");
  EXPECT_FALSE(run());
  EXPECT_EQ(error, u16_of(ui->server.url(manifest_path())));
  EXPECT_EQ(requests_for("a.bin"), 0u);
}

// The window goes while the worker is still sending progress: the closures
// that arrive afterwards are dropped, none touches the freed window.
TEST_F(UpdateDecoders, AWindowDestroyedWhileTheWorkerPostsDropsTheLateClosures) {
  publish({{"slow.dll", "slow.bin", testing::random_bytes(1'000'000, 8)}});
  testing::set_answer(ui->server, codecs_path + "slow.bin", "slow 8192 15");
  std::uint32_t applied_at_destroy = 0;
  wintest::ui_timer destroyer([&] {
    if (!shown || counters->applied.load() < 3) return false;
    applied_at_destroy = counters->applied.load();
    ::DestroyWindow(shown);
    return true;
  });
  EXPECT_FALSE(run()) << "the window went away before the result";
  EXPECT_EQ(error, u16_of(url_codecs));
  ASSERT_GE(applied_at_destroy, 3u);
  // Let the worker finish; its posts keep arriving and are dropped.
  stop_task_runner();
  wintest::pump_until([] { return true; });
  current_message_window()->drain();
  EXPECT_GT(counters->posted.load(), applied_at_destroy);
  EXPECT_EQ(counters->applied.load(), applied_at_destroy);
  EXPECT_EQ(file_bytes(ui->folder / "slow.dll").size(), 1'000'000u) << "the worker itself ran to its end";
}

}  // namespace
}  // namespace vcam::launcher
