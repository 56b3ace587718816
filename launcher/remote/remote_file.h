#pragma once
// The pattern every remote file of the launcher follows: download to a
// working file; if the loader accepts it, promote it to the last-known-good
// local copy; otherwise load the local copy. The local copy is only ever
// replaced by a file that passed the loader.
#include <functional>
#include <string>
#include <string_view>

namespace vcam::launcher {

// Downloads `url` into the file at `path`; true on success.
using remote_download = std::function<bool(const std::string& url, const std::u16string& path)>;
// Reads and validates the file at `path`, filling the caller's results only
// when it returns true.
using remote_loader = std::function<bool(const std::u16string& path)>;

struct remote_file_names {
  std::string url;              // per-version URL
  std::u16string working_path;  // download target
  std::u16string local_path;    // last-known-good copy
};

// Where the per-version remote files come from and where they are kept.
struct remote_origin {
  std::string base_url;               // the configuration server's "…/config/"
  std::string version;                // the launcher's current version, narrow
  std::u16string application_folder;  // ends with a backslash
};

// Per-version URL: configuration base URL ("…/config/") + version + suffix.
std::string remote_file_url(std::string_view base_url, std::string_view version, std::string_view suffix);
inline std::string remote_file_url(const remote_origin& origin, std::string_view suffix) {
  return remote_file_url(origin.base_url, origin.version, suffix);
}

bool fetch_remote_file(const remote_download& download, const remote_file_names& names, const remote_loader& loader);

// Replaces `local` by `working` (a rename over an existing file); the result
// is not needed, since a failed promotion leaves the old copy usable.
void promote_file(const std::u16string& working, const std::u16string& local);

// The real download step: an HTTP(S) GET with three attempts to `path`
// (passed to the transfer in the system's narrow path encoding).
bool download_remote_file(const std::string& url, const std::u16string& path);

}  // namespace vcam::launcher
