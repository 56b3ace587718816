#include "launcher/http/http_request_callback.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vcam::launcher {
namespace {

std::shared_ptr<http_body> body_of(const std::string& bytes) {
  return std::make_shared<http_body>(bytes.begin(), bytes.end());
}

TEST(HttpCallbacks, BaseReadsAsFailedUntilCalled) {
  http_request_callback_base r;
  EXPECT_EQ(r.curl_code(), 2);
  EXPECT_EQ(r.http_status(), 0);
  EXPECT_FALSE(r.succeeded());
}

TEST(HttpCallbacks, BaseRecordsTheLastResultOfEitherMode) {
  http_request_callback_base r;
  r.file_result(0, 200, 10);
  EXPECT_TRUE(r.succeeded());
  r.memory_result(0, 404, nullptr);
  EXPECT_EQ(r.http_status(), 404);
  EXPECT_FALSE(r.succeeded());
  r.file_result(28, 0, 0);
  EXPECT_EQ(r.curl_code(), 28);
}

TEST(HttpCallbacks, TextReceiverCutsTheBodyAtTheFirstZero) {
  http_download_text_callback r;
  EXPECT_EQ(r.text(), "");
  r.memory_result(0, 200, body_of(std::string("before\0after\0", 13)));
  EXPECT_TRUE(r.succeeded());
  EXPECT_EQ(r.text(), "before");
  ASSERT_TRUE(r.body());
  EXPECT_EQ(r.body()->size(), 13u);
}

TEST(HttpCallbacks, TextReceiverWithoutBodyHasEmptyText) {
  http_download_text_callback r;
  r.memory_result(0, 500, nullptr);
  EXPECT_FALSE(r.succeeded());
  EXPECT_EQ(r.text(), "");
}

TEST(HttpCallbacks, ImplForwardsProgressAndFileResultOnly) {
  std::vector<std::pair<unsigned, unsigned>> progress;
  std::vector<std::tuple<int, int, unsigned>> done;
  http_request_callback_impl r([&](unsigned now, unsigned total) { progress.emplace_back(now, total); },
                               [&](int code, int status, unsigned bytes) { done.emplace_back(code, status, bytes); });
  r.progress(1, 4);
  r.progress(4, 4);
  r.memory_result(0, 200, body_of("x"));
  r.file_result(0, 200, 4);
  EXPECT_EQ(progress, (std::vector<std::pair<unsigned, unsigned>>{{1, 4}, {4, 4}}));
  EXPECT_EQ(done, (std::vector<std::tuple<int, int, unsigned>>{{0, 200, 4}}));
}

TEST(HttpCallbacks, ImplSkipsAnEmptyCallableAndStillCallsTheOther) {
  // Calling an empty std::function throws; the receiver must check each one.
  unsigned progress_calls = 0;
  http_request_callback_impl progress_only([&](unsigned, unsigned) { ++progress_calls; }, nullptr);
  progress_only.progress(1, 2);
  progress_only.file_result(kOutputFileFailed, 2, 0);
  EXPECT_EQ(progress_calls, 1u);

  std::vector<int> codes;
  http_request_callback_impl completion_only(nullptr, [&](int code, int, unsigned) { codes.push_back(code); });
  completion_only.progress(1, 2);
  completion_only.file_result(kOutputFileFailed, 2, 0);
  EXPECT_EQ(codes, std::vector<int>{kOutputFileFailed});
}

}  // namespace
}  // namespace vcam::launcher
