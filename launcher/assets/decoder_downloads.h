#pragma once
// The decoder worker's work without its window: every listed file in order is
// downloaded once and verified by its digest; the first file that fails ends
// the run. Progress is the sizes of the files done plus the current file's
// bytes, throttled to at most 257 positions a file.
#include <string>
#include <vector>

#include "launcher/assets/download_port.h"
#include "launcher/assets/manifest_entry.h"

namespace vcam::launcher {

// True when every file verified. On failure `failed_url` is the failing
// file's URL (url_codecs + file, without the cache token).
bool run_decoder_downloads(const std::vector<manifest_entry>& entries, const std::u16string& application_folder,
                           const std::string& url_codecs, download_port& port, std::string& failed_url);

}  // namespace vcam::launcher
