#include <windows.h>

#include "common/win/text_cp936.h"
#include "common/win/wide.h"
#include "launcher/http/http_download.h"
#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

void promote_file(const std::u16string& working, const std::u16string& local) {
  ::MoveFileExW(wide(working), wide(local), MOVEFILE_REPLACE_EXISTING);
}

bool download_remote_file(const std::string& url, const std::u16string& path) {
  return http_request_download_file(url, utf16_to_cp936(path));
}

}  // namespace vcam::launcher
