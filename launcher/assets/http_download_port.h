#pragma once
// The download workers' platform on libcurl: one transfer per download (no
// further attempts; the workers decide), progress forwarded through the
// request's receiver on the worker thread, folders created with the
// platform's calls. Positions go to a callable that the UI side supplies (on
// Windows: a post to the message window with the progress window's token).
#include <functional>

#include "launcher/assets/download_port.h"
#include "launcher/http/http_request.h"

namespace vcam::launcher {

class http_download_port final : public download_port {
 public:
  using position_sink = std::function<void(std::uint64_t position)>;

  // `stall_seconds`: how long a transfer may receive nothing before it is
  // abandoned (the product's limit unless a test shortens it).
  explicit http_download_port(position_sink on_position, long stall_seconds = kStallSeconds)
      : on_position_(std::move(on_position)), stall_seconds_(stall_seconds) {}

  void create_parent_folders(const std::u16string& destination) override;
  bool download(const std::string& url, const std::u16string& destination, const progress_sink& progress) override;
  std::u16string file_md5(const std::u16string& path) override;
  void post_position(std::uint64_t position) override;

 private:
  position_sink on_position_;
  long stall_seconds_;
};

// The destination as the transfer's narrow path (code page 936 on Windows,
// UTF-8 elsewhere).
std::string narrow_download_path(const std::u16string& path);

// Creates every missing folder above the file `destination`.
void create_folders_above(const std::u16string& destination);

}  // namespace vcam::launcher
