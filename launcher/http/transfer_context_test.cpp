#include "launcher/http/transfer_context.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <tuple>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "launcher/http/output_file.h"

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;

// Records every call in order.
class recorder final : public http_request_callback {
 public:
  void progress(unsigned now, unsigned total) override { progress_calls.emplace_back(now, total); }
  void memory_result(int code, int status, std::shared_ptr<http_body> body) override {
    ++memory_calls;
    this->code = code;
    this->status = status;
    this->body = std::move(body);
  }
  void file_result(int code, int status, unsigned bytes) override {
    ++file_calls;
    this->code = code;
    this->status = status;
    this->bytes = bytes;
  }
  std::vector<std::pair<unsigned, unsigned>> progress_calls;
  int memory_calls = 0, file_calls = 0, code = -1, status = -1;
  unsigned bytes = 0;
  std::shared_ptr<http_body> body;
};

class TransferContextTest : public ::testing::Test {
 protected:
  void SetUp() override { context_.receiver = &receiver_; }
  // The file is closed before the folder goes, which Windows requires.
  void TearDown() override {
    if (context_.file) std::fclose(context_.file);
  }
  void write(const std::string& bytes) {
    ASSERT_EQ(write_body(context_, bytes.data(), 1, bytes.size()), bytes.size());
  }
  void open_file() {
    context_.file_name = (dir_ / "out.bin").string();
    context_.file = open_output_file(context_.file_name);
    ASSERT_NE(context_.file, nullptr);
  }

  vcam::testing::ScratchFolder dir_{"vcam_transfer_"};
  recorder receiver_;
  transfer_context context_;
};

TEST_F(TransferContextTest, MemoryBodyIsJoinedWithOneTrailingZeroOn200) {
  write("abc");
  write("");
  write(std::string("d\0e", 3));
  EXPECT_EQ(context_.bytes, 6u);
  deliver_result(context_, 0, 200);
  EXPECT_EQ(receiver_.memory_calls, 1);
  EXPECT_EQ(receiver_.file_calls, 0);
  ASSERT_TRUE(receiver_.body);
  EXPECT_EQ(std::string(receiver_.body->begin(), receiver_.body->end()), std::string("abcd\0e\0", 7));
}

TEST_F(TransferContextTest, EmptyMemoryBodyOn200IsOneZeroByte) {
  deliver_result(context_, 0, 200);
  ASSERT_TRUE(receiver_.body);
  EXPECT_EQ(*receiver_.body, http_body{'\0'});
}

TEST_F(TransferContextTest, MemoryBodyIsDroppedForOtherStatuses) {
  for (int status : {0, 201, 302, 404}) {
    write("page");
    deliver_result(context_, status ? 0 : 28, status);
    EXPECT_FALSE(receiver_.body) << status;
    EXPECT_EQ(receiver_.status, status);
    EXPECT_TRUE(context_.chunks.empty());
  }
}

TEST_F(TransferContextTest, FileIsKeptOn200) {
  open_file();
  write("hello");
  deliver_result(context_, 0, 200);
  EXPECT_EQ(context_.file, nullptr);
  EXPECT_EQ(receiver_.file_calls, 1);
  EXPECT_EQ(receiver_.bytes, 5u);
  std::ifstream in(dir_ / "out.bin", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "hello");
}

TEST_F(TransferContextTest, FileIsDeletedUnlessTheStatusIs200) {
  for (int status : {0, 204, 404}) {
    open_file();
    write("partial");
    deliver_result(context_, status ? 0 : 18, status);
    EXPECT_FALSE(fs::exists(dir_ / "out.bin")) << status;
    EXPECT_EQ(receiver_.status, status);
    EXPECT_EQ(receiver_.bytes, 7u);
    context_.bytes = 0;
  }
}

TEST_F(TransferContextTest, ShortFileWriteAbortsTheTransfer) {
  context_.file_name = (dir_ / "ro.bin").string();
  std::ofstream(dir_ / "ro.bin") << "x";
  context_.file = std::fopen(context_.file_name.c_str(), "rb");
  ASSERT_NE(context_.file, nullptr);
  const std::string data = "abc";
  EXPECT_EQ(write_body(context_, data.data(), 1, data.size()), 0u);
  EXPECT_EQ(context_.bytes, 0u);
}

TEST_F(TransferContextTest, ProgressTotalIsNeverBelowOne) {
  report_progress(context_, 0, 0);
  report_progress(context_, 5, -1);
  report_progress(context_, -3, std::numeric_limits<double>::quiet_NaN());
  report_progress(context_, 7, 0.5);
  report_progress(context_, 100, 1000);
  EXPECT_EQ(receiver_.progress_calls,
            (std::vector<std::pair<unsigned, unsigned>>{{0, 1}, {5, 1}, {0, 1}, {7, 1}, {100, 1000}}));
}

TEST_F(TransferContextTest, ProgressPast4GiBKeepsTheLow32Bits) {
  report_progress(context_, 5e9, 6e9);
  ASSERT_EQ(receiver_.progress_calls.size(), 1u);
  EXPECT_EQ(receiver_.progress_calls[0].first, 705032704u);
  EXPECT_EQ(receiver_.progress_calls[0].second, 1705032704u);
}

}  // namespace
}  // namespace vcam::launcher
