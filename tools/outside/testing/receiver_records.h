#pragma once
// What the test server's receivers of the outside programs stored (see
// tools/https_server/outside_receivers.py): the accepted uploads and the
// counted events, read from the server's state folder.
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vcam::testing {

// The tab-separated fields of each line of `name` in the state folder.
inline std::vector<std::vector<std::string>> receiver_records(const char* name) {
  std::vector<std::vector<std::string>> records;
  const char* state = std::getenv("VCAM_HTTPS_STATE");
  if (!state) return records;
  std::string folder(state);
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  std::ifstream in(folder + name, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    records.push_back(std::move(fields));
  }
  return records;
}

// Uploads: file name, size, current version, latest version.
inline std::vector<std::vector<std::string>> accepted_uploads() { return receiver_records("uploads.log"); }
// Events: name, seconds since 1970.
inline std::vector<std::vector<std::string>> counted_events() { return receiver_records("counts.log"); }

}  // namespace vcam::testing
