#pragma once
// The state of one transfer (on the stack of http_request::perform) and what
// libcurl's write and progress handlers and the result delivery do with it.
// Free of libcurl, so the result rules are tested on their own.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "launcher/http/http_request_callback.h"

namespace vcam::launcher {

struct transfer_context {
  std::FILE* file = nullptr;  // file mode when set
  std::string file_name;
  std::uint32_t bytes = 0;  // wraps past 4 GiB, as the receivers' counts do
  std::vector<std::vector<char>> chunks;  // memory mode: one per write call
  http_request_callback* receiver = nullptr;
};

// The write handler: returns size × count, or 0 when the file took fewer
// items (libcurl then ends the transfer with a write error).
std::size_t write_body(transfer_context& context, const char* data, std::size_t size, std::size_t count);

// The progress handler: now and total (at least 1) truncated to unsigned.
void report_progress(transfer_context& context, double now, double total);

// Closes the file and hands the result to the receiver: in file mode the file
// is deleted unless the status is 200; in memory mode the body (with one
// trailing zero byte) goes only with status 200.
void deliver_result(transfer_context& context, int curl_code, int http_status);

}  // namespace vcam::launcher
