#include "launcher/http/http_request_callback.h"

#include <algorithm>
#include <string>

namespace vcam::launcher {

void http_request_callback_base::progress(unsigned, unsigned) {}

void http_request_callback_base::memory_result(int curl_code, int http_status, std::shared_ptr<http_body>) {
  record(curl_code, http_status);
}

void http_request_callback_base::file_result(int curl_code, int http_status, unsigned) {
  record(curl_code, http_status);
}

void http_request_callback_base::record(int curl_code, int http_status) {
  curl_code_ = curl_code;
  http_status_ = http_status;
}

void http_download_text_callback::memory_result(int curl_code, int http_status,
                                                std::shared_ptr<http_body> body) {
  record(curl_code, http_status);
  body_ = std::move(body);
}

std::string http_download_text_callback::text() const {
  if (!body_) return {};
  return std::string(body_->begin(), std::find(body_->begin(), body_->end(), '\0'));
}

void http_request_callback_impl::progress(unsigned now, unsigned total) {
  if (on_progress_) on_progress_(now, total);
}

void http_request_callback_impl::memory_result(int, int, std::shared_ptr<http_body>) {}

void http_request_callback_impl::file_result(int curl_code, int http_status, unsigned bytes_written) {
  if (on_complete_) on_complete_(curl_code, http_status, bytes_written);
}

}  // namespace vcam::launcher
