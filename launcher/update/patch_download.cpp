#include "launcher/update/patch_download.h"

#include "launcher/assets/file_md5.h"
#include "launcher/assets/progress_throttle.h"

namespace vcam::launcher {

bool run_patch_download(const std::string& url, const std::u16string& patcher_path, const std::u16string& md5,
                        download_port& port) {
  progress_throttle throttle;
  const download_port::progress_sink progress = [&](std::uint32_t now, std::uint32_t total) {
    if (throttle.accept(now, total)) port.post_position(now);
  };
  for (int attempt = 0; attempt < kPatchAttempts; ++attempt) {
    // A transfer that cannot even start will not start on the next attempt.
    if (!port.download(url, patcher_path, progress)) return false;
    if (digest_matches(port.file_md5(patcher_path), md5)) return true;
  }
  return false;
}

}  // namespace vcam::launcher
