#pragma once
// What the download workers (decoder files, patcher) need from the platform:
// one transfer to a file with progress, the file digest, the parent folders
// and the progress window's position, which lives on the UI thread. The
// Windows implementation posts positions through the message window with the
// window's owner token; tests record the calls.
#include <cstdint>
#include <functional>
#include <string>

namespace vcam::launcher {

class download_port {
 public:
  using progress_sink = std::function<void(std::uint32_t now, std::uint32_t total)>;

  // Creates the folders above `destination`; failures show in the download.
  virtual void create_parent_folders(const std::u16string& destination) = 0;
  // One transfer of `url` into `destination`, reporting to `progress` on this
  // thread. False when no transfer could be started at all (no request).
  virtual bool download(const std::string& url, const std::u16string& destination, const progress_sink& progress) = 0;
  virtual std::u16string file_md5(const std::u16string& path) = 0;
  // Sets the progress window's position (from the worker thread).
  virtual void post_position(std::uint64_t position) = 0;

 protected:
  ~download_port() = default;
};

}  // namespace vcam::launcher
