#pragma once
// What one dump's upload carries and what its answer means: a multipart form
// with the two versions as text fields and the dump as the file part "file"
// (its file name is the dump's), one request per dump so that the server
// accepts or refuses each on its own.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/outside/bugreport/upload_arguments.h"

namespace vcam::bugreport {

inline constexpr char kDumpFileField[] = "file";

struct UploadForm {
  std::vector<std::pair<std::string, std::string>> fields;  // name, value
  std::string file_field = kDumpFileField;
};

UploadForm upload_form(const UploadArguments& args);

// A name the uploader takes: ending in ".dmp", letters in any case, with
// something before it. The system's "*.dmp" pattern also matches longer
// extensions through short names, so every listed name is checked again.
bool is_dump_file_name(std::u16string_view name);

// Only a completed transfer answered with status 200 lets the dump go.
inline bool upload_accepted(int curl_code, int http_status) { return curl_code == 0 && http_status == 200; }

}  // namespace vcam::bugreport
