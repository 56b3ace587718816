#pragma once
// One libcurl easy handle with the launcher's fixed transfer options: a GET
// (or a multipart POST when form fields are set) of a URL with a fresh cache
// token, its body written to a file or collected in memory, its progress and
// result handed to an http_request_callback.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "launcher/http/http_request_callback.h"

namespace vcam::launcher {

inline constexpr char kUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)";
inline constexpr long kConnectTimeoutSeconds = 3;
// A transfer slower than 1 byte/s for this long is abandoned, so that a
// stalled server cannot hold the launcher forever; there is no overall limit.
inline constexpr long kStallSeconds = 20;
// libcurl's receive buffer. Its 16 KiB default costs one socket read (and,
// under Wine, one server round trip) per TLS record; 128 KiB halves the time
// of a large download there.
inline constexpr long kReceiveBufferBytes = 128 * 1024;

class http_request {
 public:
  http_request() = default;
  ~http_request() { release(); }
  http_request(const http_request&) = delete;
  http_request& operator=(const http_request&) = delete;

  // Creates and configures the handle; false when libcurl gives none.
  bool create();
  // Ends the handle; waits for a transfer running on another thread.
  void release();

  // Narrow path in the system code page; empty: the body goes to memory.
  void set_output_file(std::string name) { output_file_ = std::move(name); }
  void add_header(std::string name, std::string value) { headers_[std::move(name)] = std::move(value); }
  void add_cookie(std::string name, std::string value) { cookies_[std::move(name)] = std::move(value); }
  void add_form_field(std::string name, std::string value) { form_fields_[std::move(name)] = std::move(value); }
  void add_form_file(std::string name, std::string path) { form_files_[std::move(name)] = std::move(path); }
  // Re-applies the connect limit and the stall limit (kStallSeconds unless a
  // test shortens it).
  void set_limits(long stall_seconds = kStallSeconds);

  // One transfer of `url` plus a new cache token. The result reaches
  // `receiver` on this thread before perform returns.
  void perform(const std::string& url, http_request_callback& receiver);

 private:
  std::mutex lock_;
  void* handle_ = nullptr;  // CURL*
  std::map<std::string, std::string> headers_;
  std::map<std::string, std::string> cookies_;
  std::map<std::string, std::string> form_fields_;
  std::map<std::string, std::string> form_files_;
  std::string output_file_;
};

// A request on the heap with its handle created; null when that failed.
std::unique_ptr<http_request> create_http_request();

}  // namespace vcam::launcher
