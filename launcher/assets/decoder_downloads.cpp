#include "launcher/assets/decoder_downloads.h"

#include "launcher/assets/decoder_plan.h"
#include "launcher/assets/file_md5.h"
#include "launcher/assets/progress_throttle.h"

namespace vcam::launcher {

bool run_decoder_downloads(const std::vector<manifest_entry>& entries, const std::u16string& application_folder,
                           const std::string& url_codecs, download_port& port, std::string& failed_url) {
  std::uint64_t done = 0;
  progress_throttle throttle;  // shared by the files: a new file's first report restarts it
  for (const auto& entry : entries) {
    const std::u16string destination = decoder_file_path(application_folder, entry);
    const std::string url = decoder_file_url(url_codecs, entry);
    port.create_parent_folders(destination);
    const bool started = port.download(url, destination, [&](std::uint32_t now, std::uint32_t total) {
      if (throttle.accept(now, total)) port.post_position(decoder_progress_position(done, now));
    });
    if (!started || !digest_matches(port.file_md5(destination), entry.md5)) {
      failed_url = url;
      return false;
    }
    done += entry.size;
  }
  return true;
}

}  // namespace vcam::launcher
