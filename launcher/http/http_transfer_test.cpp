// Transfers against the local HTTPS server (self-signed certificate) started
// by the CTest fixture.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "launcher/http/http_download.h"
#include "launcher/http/http_request.h"
#include "tools/https_server/https_test_server.h"

namespace vcam::launcher {
namespace {

using vcam::testing::https_test_server;
using vcam::testing::server_request;

bool is_token(const std::string& t) {
  return t.size() == 32 && t.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

bool file_exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The server's pattern body: byte i is (7i + i/256) mod 256.
std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + (i >> 8)) & 0xFF);
  return s;
}

class HttpTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = https_test_server::from_environment();
    ASSERT_TRUE(server_.available()) << "run through ctest: the https_server fixture sets VCAM_HTTPS_STATE";
    char tmp[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, tmp), 0u);
    dir_ = std::string(tmp) + "vcam_http_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(dir_.c_str(), nullptr);
    seen_ = server_.requests().size();
  }
  void TearDown() override {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dir_ + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((dir_ + fd.cFileName).c_str());
      } while (::FindNextFileA(h, &fd));
      ::FindClose(h);
    }
    ::RemoveDirectoryA(dir_.c_str());
  }
  // Requests the server received since the test started.
  std::vector<server_request> new_requests() const {
    auto all = server_.requests();
    return std::vector<server_request>(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
  }

  https_test_server server_;
  std::string dir_;
  std::size_t seen_ = 0;
};

TEST_F(HttpTransferTest, EveryAttemptCarriesAFreshTokenAfterAQuestionMark) {
  EXPECT_FALSE(http_request_download_file(server_.url("/__/status/404"), dir_ + "a.bin"));
  const auto seen = new_requests();
  ASSERT_EQ(seen.size(), 3u);
  std::set<std::string> tokens;
  for (const auto& r : seen) {
    EXPECT_EQ(r.path, "/__/status/404");
    ASSERT_EQ(r.query.rfind("abcdefghijklm=", 0), 0u) << r.query;
    const std::string token = r.query.substr(14);
    EXPECT_TRUE(is_token(token)) << token;
    tokens.insert(token);
  }
  EXPECT_EQ(tokens.size(), 3u) << "a token was sent twice";
}

TEST_F(HttpTransferTest, UrlWithQueryGetsTheTokenAfterAnAmpersand) {
  std::string text;
  EXPECT_TRUE(http_request_download_text(server_.url("/__/text/q?x=1&y=2"), text));
  EXPECT_EQ(text, "q");
  const auto seen = new_requests();
  ASSERT_EQ(seen.size(), 1u);
  ASSERT_EQ(seen[0].query.rfind("x=1&y=2&abcdefghijklm=", 0), 0u) << seen[0].query;
  EXPECT_TRUE(is_token(seen[0].query.substr(22)));
}

TEST_F(HttpTransferTest, NotFoundFileDownloadTriesThreeTimesAndLeavesNoFile) {
  const std::string out = dir_ + "missing.bin";
  EXPECT_FALSE(http_request_download_file(server_.url("/no/such/file.json"), out));
  EXPECT_EQ(new_requests().size(), 3u);
  EXPECT_FALSE(file_exists(out));
}

TEST_F(HttpTransferTest, OkFileDownloadStopsAfterTheFirstAttempt) {
  const std::string body = "{\"url_news\":\"x\"}\n";
  std::ofstream(server_.root_folder() + "ok_file.json", std::ios::binary) << body;
  const std::string out = dir_ + "ok.json";
  ASSERT_TRUE(http_request_download_file(server_.url("/ok_file.json"), out));
  EXPECT_EQ(new_requests().size(), 1u);
  EXPECT_EQ(read_file(out), body);
}

TEST_F(HttpTransferTest, FailedAttemptReplacesAnOlderFileAndRemovesIt) {
  const std::string out = dir_ + "old.bin";
  std::ofstream(out) << "old content";
  EXPECT_FALSE(http_request_download_file(server_.url("/__/status/500"), out));
  EXPECT_FALSE(file_exists(out));
}

TEST_F(HttpTransferTest, EmptyBodyTextDownloadSucceedsWithEmptyText) {
  std::string text = "stale";
  EXPECT_TRUE(http_request_download_text(server_.url("/__/empty"), text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(new_requests().size(), 1u);
}

TEST_F(HttpTransferTest, TextIsCutAtTheFirstZeroByte) {
  std::string text;
  EXPECT_TRUE(http_request_download_text(server_.url("/__/zero"), text));
  EXPECT_EQ(text, "before");
}

TEST_F(HttpTransferTest, FailedTextDownloadLeavesTheTextAlone) {
  std::string text = "unchanged";
  EXPECT_FALSE(http_request_download_text(server_.url("/__/status/403"), text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(new_requests().size(), 3u);
}

TEST_F(HttpTransferTest, RedirectChainToOkIsFollowed) {
  std::string text;
  EXPECT_TRUE(http_request_download_text(server_.url("/__/redirect/3/__/text/arrived"), text));
  EXPECT_EQ(text, "arrived");
  const auto seen = new_requests();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen.back().path, "/__/text/arrived");
}

TEST_F(HttpTransferTest, RedirectChainToNotFoundFails) {
  const std::string out = dir_ + "redirected.bin";
  EXPECT_FALSE(http_request_download_file(server_.url("/__/redirect/2/__/status/404"), out));
  EXPECT_EQ(new_requests().size(), 9u) << "three attempts of two hops and the final answer";
  EXPECT_FALSE(file_exists(out));
}

TEST_F(HttpTransferTest, OutputInAMissingFolderFailsWithoutTraffic) {
  const std::string out = dir_ + "no_such_folder\\file.bin";
  http_request request;
  ASSERT_TRUE(request.create());
  request.set_output_file(out);
  for (int i = 0; i < 3; ++i) {
    std::vector<std::tuple<int, int, unsigned>> results;
    int progress_calls = 0;
    http_request_callback_impl receiver([&](unsigned, unsigned) { ++progress_calls; },
                                        [&](int c, int s, unsigned b) { results.emplace_back(c, s, b); });
    request.perform(server_.url("/__/text/never"), receiver);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], std::make_tuple(kOutputFileFailed, 2, 0u));
    EXPECT_EQ(progress_calls, 0);
  }
  EXPECT_FALSE(http_request_download_file(server_.url("/__/text/never"), out));
  EXPECT_TRUE(new_requests().empty());
}

TEST_F(HttpTransferTest, SelfSignedServerDeliversALargeFileIntact) {
  const std::string body = pattern(3 * 1024 * 1024 + 17);
  const std::string out = dir_ + "large.bin";
  auto request = create_http_request();
  ASSERT_TRUE(request);
  request->set_output_file(out);
  std::tuple<int, int, unsigned> result{-1, -1, 0};
  http_request_callback_impl receiver(nullptr, [&](int c, int s, unsigned b) { result = {c, s, b}; });
  request->perform(server_.url("/__/bytes/" + std::to_string(body.size())), receiver);
  EXPECT_EQ(result, std::make_tuple(0, 200, static_cast<unsigned>(body.size())));
  EXPECT_TRUE(read_file(out) == body) << "the body differs from the server's pattern";
}

TEST_F(HttpTransferTest, ProgressNeverExceedsTheTotalAndEndsAtIt) {
  auto request = create_http_request();
  ASSERT_TRUE(request);
  std::vector<std::pair<unsigned, unsigned>> calls;
  std::tuple<int, int, unsigned> result{-1, -1, 0};
  request->set_output_file(dir_ + "slow.bin");
  http_request_callback_impl receiver([&](unsigned now, unsigned total) { calls.emplace_back(now, total); },
                                      [&](int c, int s, unsigned b) { result = {c, s, b}; });
  request->perform(server_.url("/__/slow/40000/8000/150"), receiver);
  EXPECT_EQ(result, std::make_tuple(0, 200, 40000u));
  ASSERT_FALSE(calls.empty());
  unsigned last_now = 0;
  std::set<unsigned> distinct;
  for (const auto& [now, total] : calls) {
    EXPECT_GE(total, 1u);
    EXPECT_LE(now, total);
    EXPECT_GE(now, last_now) << "progress went backwards";
    last_now = now;
    distinct.insert(now);
  }
  EXPECT_EQ(calls.back(), std::make_pair(40000u, 40000u));
  EXPECT_GE(distinct.size(), 3u) << "a slow body reports intermediate progress";
}

TEST_F(HttpTransferTest, UnknownLengthReportsATotalOfAtLeastOne) {
  auto request = create_http_request();
  ASSERT_TRUE(request);
  unsigned smallest_total = ~0u;
  http_download_text_callback text;
  struct forward final : http_request_callback {
    forward(unsigned& smallest, http_download_text_callback& inner) : smallest(smallest), inner(inner) {}
    void progress(unsigned, unsigned total) override { smallest = std::min(smallest, total); }
    void memory_result(int c, int s, std::shared_ptr<http_body> b) override { inner.memory_result(c, s, b); }
    void file_result(int c, int s, unsigned b) override { inner.file_result(c, s, b); }
    unsigned& smallest;
    http_download_text_callback& inner;
  } receiver(smallest_total, text);
  request->perform(server_.url("/__/chunked/50000"), receiver);
  EXPECT_TRUE(text.succeeded());
  ASSERT_TRUE(text.body());
  EXPECT_EQ(text.body()->size(), 50001u);
  EXPECT_EQ(smallest_total, 1u);
}

TEST_F(HttpTransferTest, StalledBodyIsAbandonedAfterTheStallLimit) {
  auto request = create_http_request();
  ASSERT_TRUE(request);
  request->set_limits(2);
  const std::string out = dir_ + "stalled.bin";
  request->set_output_file(out);
  std::tuple<int, int, unsigned> result{-1, -1, 0};
  http_request_callback_impl receiver(nullptr, [&](int c, int s, unsigned b) { result = {c, s, b}; });
  const auto start = std::chrono::steady_clock::now();
  request->perform(server_.url("/__/stall/1000/100000"), receiver);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result, std::make_tuple(28, 0, 1000u)) << "operation timed out, no status, the bytes before the stall";
  EXPECT_FALSE(file_exists(out));
  // libcurl averages the speed over its last few seconds, so the first bytes
  // delay the verdict by up to about six seconds beyond the limit.
  EXPECT_GE(seconds, 2.0);
  EXPECT_LT(seconds, 15.0);
  RecordProperty("stall_abort_seconds", std::to_string(seconds));
  std::printf("stalled transfer with a 2 s stall limit ended after %.2f s\n", seconds);
}

TEST_F(HttpTransferTest, CookiesHeadersAndFormFieldsAreSentAsConfigured) {
  // Past 1 MiB libcurl would ask for "100 Continue" unless told not to.
  const std::string upload = dir_ + "upload.txt";
  std::ofstream(upload, std::ios::binary) << "file-part" << pattern(1200 * 1024);
  auto request = create_http_request();
  ASSERT_TRUE(request);
  request->add_cookie("b", "2");
  request->add_cookie("a", "1");
  request->add_header("X-Second", "two");
  request->add_header("X-First", "one");
  request->add_form_field("field", std::string("v\0w", 3));
  request->add_form_file("doc", upload);
  http_download_text_callback echo;
  request->perform(server_.url("/__/echo"), echo);
  ASSERT_TRUE(echo.succeeded());
  ASSERT_TRUE(echo.body());
  const std::string text(echo.body()->begin(), echo.body()->end());
  EXPECT_EQ(text.rfind("POST /__/echo?abcdefghijklm=", 0), 0u) << text;
  EXPECT_NE(text.find("\nCookie: a=1; b=2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nX-First: one\n"), std::string::npos);
  EXPECT_NE(text.find("\nX-Second: two\n"), std::string::npos);
  EXPECT_NE(text.find(std::string("User-Agent: ") + kUserAgent + "\n"), std::string::npos);
  EXPECT_EQ(text.find("Expect:"), std::string::npos) << "no 100-continue expectation with a form";
  EXPECT_NE(text.find("name=\"field\"\r\n\r\nv"), std::string::npos);
  EXPECT_NE(text.find(std::string("v\0w\r\n", 5)), std::string::npos) << "the field keeps its zero byte";
  EXPECT_NE(text.find("name=\"doc\"; filename=\"upload.txt\""), std::string::npos);
  EXPECT_NE(text.find("file-part"), std::string::npos);
}

TEST_F(HttpTransferTest, PlainRequestSendsNoCookieAndNoForm) {
  http_request request;
  ASSERT_TRUE(request.create());
  http_download_text_callback echo;
  request.perform(server_.url("/__/echo"), echo);
  ASSERT_TRUE(echo.succeeded());
  const std::string text = echo.text();
  EXPECT_EQ(text.rfind("GET /__/echo?", 0), 0u) << text;
  EXPECT_EQ(text.find("Cookie:"), std::string::npos);
}

TEST_F(HttpTransferTest, NonOkMemoryTransferDeliversNoBody) {
  http_request request;
  ASSERT_TRUE(request.create());
  http_download_text_callback r;
  request.perform(server_.url("/__/status/404"), r);
  EXPECT_EQ(r.curl_code(), 0);
  EXPECT_EQ(r.http_status(), 404);
  EXPECT_FALSE(r.body());
}

TEST_F(HttpTransferTest, UnreachableServerFailsWithoutStatus) {
  // A port on which nothing listens: connection refused, well inside the
  // three-second connect limit.
  http_request request;
  ASSERT_TRUE(request.create());
  http_request_callback_base r;
  request.perform("https://127.0.0.1:1/x", r);
  EXPECT_EQ(r.curl_code(), 7);
  EXPECT_EQ(r.http_status(), 0);
}

TEST_F(HttpTransferTest, ReleaseWaitsForATransferOnAnotherThread) {
  http_request request;
  ASSERT_TRUE(request.create());
  http_request_callback_base r;
  std::thread worker([&] { request.perform(server_.url("/__/slow/3000/1000/300"), r); });
  // Wait until the server saw the request, so the transfer holds the lock.
  for (int i = 0; i < 200 && new_requests().empty(); ++i) ::Sleep(10);
  request.release();
  worker.join();
  EXPECT_TRUE(r.succeeded()) << "the running transfer was not cut short by release";
  http_request_callback_base after;
  request.perform(server_.url("/__/empty"), after);
  EXPECT_EQ(after.curl_code(), 2) << "a released request transfers nothing";
}

}  // namespace
}  // namespace vcam::launcher
