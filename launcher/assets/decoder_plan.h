#pragma once
// The UI-free decisions of the decoder step: what the progress window counts
// to, whether there is anything to show at all, and the position a file's
// progress stands for.
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/assets/manifest_entry.h"

namespace vcam::launcher {

// The bytes to download: the sum of the listed sizes, in 64 bits so that
// sizes adding up to a multiple of 2^32 are not mistaken for nothing.
std::uint64_t decoder_download_total(const std::vector<manifest_entry>& entries);

// False when nothing is listed or all sizes are 0: no window, no download.
inline bool decoder_download_needed(const std::vector<manifest_entry>& entries) {
  return decoder_download_total(entries) != 0;
}

// Where a listed file is fetched from and written to.
inline std::string decoder_file_url(const std::string& url_codecs, const manifest_entry& entry) {
  return url_codecs + entry.file;
}
inline std::u16string decoder_file_path(const std::u16string& application_folder, const manifest_entry& entry) {
  return application_folder + std::u16string(entry.name.begin(), entry.name.end());
}

// The progress window's position: the sizes of the files done plus the
// bytes of the current one.
inline std::uint64_t decoder_progress_position(std::uint64_t done, std::uint32_t now) { return done + now; }

}  // namespace vcam::launcher
