#include "launcher/assets/http_download_port.h"

#include "launcher/assets/file_md5.h"
#include "launcher/http/http_request.h"

namespace vcam::launcher {

void http_download_port::create_parent_folders(const std::u16string& destination) {
  create_folders_above(destination);
}

bool http_download_port::download(const std::string& url, const std::u16string& destination,
                                  const progress_sink& progress) {
  std::unique_ptr<http_request> request = create_http_request();
  if (!request) return false;
  if (stall_seconds_ != kStallSeconds) request->set_limits(stall_seconds_);
  request->set_output_file(narrow_download_path(destination));
  // The digest decides success; the transfer's own result is not needed.
  http_request_callback_impl receiver([&](unsigned now, unsigned total) { progress(now, total); }, nullptr);
  request->perform(url, receiver);
  request->release();
  return true;
}

std::u16string http_download_port::file_md5(const std::u16string& path) { return launcher::file_md5(path); }

void http_download_port::post_position(std::uint64_t position) {
  if (on_position_) on_position_(position);
}

}  // namespace vcam::launcher
