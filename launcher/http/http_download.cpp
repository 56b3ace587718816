#include "launcher/http/http_download.h"

#include "launcher/http/http_request.h"

namespace vcam::launcher {

bool http_request_download_file(const std::string& url, const std::string& path) {
  http_request request;
  if (!request.create()) return false;
  request.set_limits();
  request.set_output_file(path);
  for (int attempt = 0; attempt < kDownloadAttempts; ++attempt) {
    http_request_callback_base receiver;
    request.perform(url, receiver);
    if (receiver.succeeded()) return true;
  }
  return false;
}

bool http_request_download_text(const std::string& url, std::string& text, unsigned) {
  http_request request;
  if (!request.create()) return false;
  request.set_limits();
  for (int attempt = 0; attempt < kDownloadAttempts; ++attempt) {
    http_download_text_callback receiver;
    request.perform(url, receiver);
    if (receiver.succeeded()) {
      text = receiver.text();
      return true;
    }
  }
  return false;
}

}  // namespace vcam::launcher
