#include "launcher/http/transfer_context.h"

#include "launcher/http/output_file.h"

namespace vcam::launcher {
namespace {

// libcurl's counts are doubles; negative or NaN means "not known".
unsigned to_unsigned(double v) {
  if (!(v > 0)) return 0;
  if (v >= 18446744073709551616.0) return 0xFFFFFFFFu;
  return static_cast<unsigned>(static_cast<std::uint64_t>(v));
}

}  // namespace

std::size_t write_body(transfer_context& c, const char* data, std::size_t size, std::size_t count) {
  if (c.file) {
    if (std::fwrite(data, size, count, c.file) < count) return 0;
  } else {
    c.chunks.emplace_back(data, data + size * count);
  }
  c.bytes += static_cast<std::uint32_t>(size * count);
  return size * count;
}

void report_progress(transfer_context& c, double now, double total) {
  unsigned t = to_unsigned(total);
  if (t < 1) t = 1;
  c.receiver->progress(to_unsigned(now), t);
}

void deliver_result(transfer_context& c, int curl_code, int http_status) {
  if (c.file) {
    std::fclose(c.file);
    c.file = nullptr;
    if (http_status != 200) delete_output_file(c.file_name);
    c.receiver->file_result(curl_code, http_status, c.bytes);
    return;
  }
  std::shared_ptr<http_body> body;
  if (http_status == 200) {
    body = std::make_shared<http_body>();
    body->reserve(static_cast<std::size_t>(c.bytes) + 1);
    for (const auto& chunk : c.chunks) body->insert(body->end(), chunk.begin(), chunk.end());
    body->push_back('\0');
  }
  c.chunks.clear();
  c.receiver->memory_result(curl_code, http_status, std::move(body));
}

}  // namespace vcam::launcher
