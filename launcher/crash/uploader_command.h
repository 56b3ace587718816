#pragma once
// The crash uploader's command line: exactly four double-quoted arguments
// separated by single spaces: the upload endpoint, the dump folder (not the
// dump file), the current version and the latest version.
#include <string>
#include <string_view>

namespace vcam::launcher {

inline constexpr char16_t kUploadPath[] = u"/UploadFiles.php";

// The endpoint: the upload server's base ("http://host[:port]", a trailing
// "/" tolerated) followed by "/UploadFiles.php".
std::u16string upload_endpoint(std::u16string_view base_url);

// None of the four can hold a double quote (URLs, a Windows folder, versions),
// so each is quoted as it is.
std::u16string uploader_arguments(std::u16string_view endpoint, std::u16string_view dump_folder,
                                  std::u16string_view current_version, std::u16string_view latest_version);

}  // namespace vcam::launcher
