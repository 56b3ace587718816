#pragma once
// The crash uploader's command line, as the launcher's crash handler builds
// it: four quoted arguments, the upload endpoint URL, the dump folder, the
// current version and the latest version.
#include <string>
#include <vector>

namespace vcam::bugreport {

struct UploadArguments {
  std::string endpoint;         // http:// or https:// URL
  std::u16string dump_folder;   // without a trailing separator
  std::string current_version;  // UTF-8
  std::string latest_version;
};

// False with `error` when the count is not four, the URL is not HTTP(S), or
// the folder or the current version is empty. A latest version may be empty.
bool parse_upload_arguments(const std::vector<std::u16string>& args, UploadArguments& out, std::string& error);

std::string upload_usage();

}  // namespace vcam::bugreport
