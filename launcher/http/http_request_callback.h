#pragma once
// Receivers of a transfer's progress and result. They are called on the thread
// that runs the transfer, before http_request::perform returns.
#include <functional>
#include <memory>
#include <vector>

namespace vcam::launcher {

using http_body = std::vector<char>;

// libcurl's result code for a transfer that never started because its output
// file could not be created (with status 2 and 0 bytes).
inline constexpr int kOutputFileFailed = 7001;

class http_request_callback {
 public:
  // Bytes received so far and the expected total (never below 1).
  virtual void progress(unsigned now, unsigned total) = 0;
  // Memory mode. `body` is present only for status 200: the body followed by
  // one zero byte.
  virtual void memory_result(int curl_code, int http_status, std::shared_ptr<http_body> body) = 0;
  // File mode.
  virtual void file_result(int curl_code, int http_status, unsigned bytes_written) = 0;

 protected:
  ~http_request_callback() = default;
};

// Records code and status; starts as failed (code 2, status 0) so that a
// receiver that was never called reads as a failure.
class http_request_callback_base : public http_request_callback {
 public:
  void progress(unsigned now, unsigned total) override;
  void memory_result(int curl_code, int http_status, std::shared_ptr<http_body> body) override;
  void file_result(int curl_code, int http_status, unsigned bytes_written) override;

  int curl_code() const { return curl_code_; }
  int http_status() const { return http_status_; }
  // Code 0 and status 200.
  bool succeeded() const { return curl_code_ == 0 && http_status_ == 200; }

 protected:
  void record(int curl_code, int http_status);

 private:
  int curl_code_ = 2;
  int http_status_ = 0;
};

// Also keeps the body of a memory-mode result.
class http_download_text_callback final : public http_request_callback_base {
 public:
  void memory_result(int curl_code, int http_status, std::shared_ptr<http_body> body) override;

  const std::shared_ptr<http_body>& body() const { return body_; }
  // The body up to its first zero byte; empty without a body.
  std::string text() const;

 private:
  std::shared_ptr<http_body> body_;
};

// Forwards progress and the file result to callables (either may be empty);
// drops memory-mode bodies.
class http_request_callback_impl final : public http_request_callback {
 public:
  using progress_callable = std::function<void(unsigned now, unsigned total)>;
  using completion_callable = std::function<void(int curl_code, int http_status, unsigned bytes_written)>;

  http_request_callback_impl(progress_callable on_progress, completion_callable on_complete)
      : on_progress_(std::move(on_progress)), on_complete_(std::move(on_complete)) {}

  void progress(unsigned now, unsigned total) override;
  void memory_result(int curl_code, int http_status, std::shared_ptr<http_body> body) override;
  void file_result(int curl_code, int http_status, unsigned bytes_written) override;

 private:
  progress_callable on_progress_;
  completion_callable on_complete_;
};

}  // namespace vcam::launcher
