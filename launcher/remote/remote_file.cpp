#include "launcher/remote/remote_file.h"

namespace vcam::launcher {

std::string remote_file_url(std::string_view base_url, std::string_view version, std::string_view suffix) {
  std::string url;
  url.reserve(base_url.size() + version.size() + suffix.size());
  url.append(base_url).append(version).append(suffix);
  return url;
}

bool fetch_remote_file(const remote_download& download, const remote_file_names& names, const remote_loader& loader) {
  if (download && download(names.url, names.working_path) && loader(names.working_path)) {
    promote_file(names.working_path, names.local_path);
    return true;
  }
  return loader(names.local_path);
}

}  // namespace vcam::launcher
