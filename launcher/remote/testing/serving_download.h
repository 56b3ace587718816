#pragma once
// A download step for tests: writes `body` to the working file, or fails
// when the body is empty, and records the URL it was asked for.
#include <filesystem>
#include <string>

#include "common/testing/test_bytes.h"
#include "launcher/remote/remote_file.h"

namespace vcam::testing {

inline launcher::remote_download serving_download(std::string body, std::string* requested) {
  return [body = std::move(body), requested](const std::string& url, const std::u16string& path) {
    *requested = url;
    if (body.empty()) return false;
    write_bytes(std::filesystem::path(path), text_bytes(body));
    return true;
  };
}

}  // namespace vcam::testing
