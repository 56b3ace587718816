#pragma once
// The patch worker's work without its window: up to three attempts to fetch
// the patcher, each verified by its digest; progress throttled as for the
// decoder files, counted from 0.
#include <string>

#include "launcher/assets/download_port.h"

namespace vcam::launcher {

inline constexpr int kPatchAttempts = 3;

// True when the file at `patcher_path` matches `md5` after an attempt.
bool run_patch_download(const std::string& url, const std::u16string& patcher_path, const std::u16string& md5,
                        download_port& port);

}  // namespace vcam::launcher
