#pragma once
// The tests' view of the local HTTPS server started by the CTest fixture of
// HttpsServer.cmake: its address, its served folder and the requests it saw.
#include <string>
#include <string_view>
#include <vector>

namespace vcam::testing {

struct server_request {
  std::string method;
  std::string path;   // without the query
  std::string query;  // without the "?"
};

class https_test_server {
 public:
  // Reads VCAM_HTTPS_STATE and VCAM_HTTPS_ROOT; available() is false when
  // the test runs without the fixture.
  static https_test_server from_environment();

  bool available() const { return !base_url_.empty(); }
  // "https://127.0.0.1:PORT" followed by `path` (which starts with "/").
  std::string url(std::string_view path) const { return base_url_ + std::string(path); }
  // The folder the server serves files from, in this platform's form,
  // ending with a separator.
  const std::string& root_folder() const { return root_; }
  // Every request the server received so far, oldest first.
  std::vector<server_request> requests() const;
  // The requests whose path equals `path`.
  std::vector<server_request> requests_for(std::string_view path) const;

 private:
  std::string state_;  // ends with a separator
  std::string root_;
  std::string base_url_;
};

}  // namespace vcam::testing
