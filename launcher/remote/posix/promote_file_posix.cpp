#include <cstdio>

#include "common/text_utf.h"
#include "launcher/http/http_download.h"
#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

void promote_file(const std::u16string& working, const std::u16string& local) {
  std::rename(utf16_to_utf8(working).c_str(), utf16_to_utf8(local).c_str());
}

bool download_remote_file(const std::string& url, const std::u16string& path) {
  return http_request_download_file(url, utf16_to_utf8(path));
}

}  // namespace vcam::launcher
