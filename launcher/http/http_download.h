#pragma once
// Blocking downloads with three back-to-back attempts on one handle.
#include <string>

namespace vcam::launcher {

inline constexpr int kDownloadAttempts = 3;

// True when an attempt ended with code 0 and status 200; `path` (system code
// page) then holds the body. A failed attempt leaves no file behind.
bool http_request_download_file(const std::string& url, const std::string& path);

// True when an attempt ended with code 0 and status 200; `text` then receives
// the body up to its first zero byte. `reserved` has no effect.
bool http_request_download_text(const std::string& url, std::string& text, unsigned reserved = 0);

}  // namespace vcam::launcher
