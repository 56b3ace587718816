#include "tools/https_server/https_test_server.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vcam::testing {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string with_separator(std::string folder) {
  if (!folder.empty() && folder.back() != kSeparator) folder += kSeparator;
  return folder;
}

// The Windows build is handed Wine paths ("Z:\work\..."); a native build
// reading the same variables turns them back into Linux paths.
std::string native_path(std::string path) {
#ifndef _WIN32
  if (path.rfind("Z:\\", 0) == 0) {
    path.erase(0, 2);
    for (char& c : path)
      if (c == '\\') c = '/';
  }
#endif
  return path;
}

std::string first_line(const std::string& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

}  // namespace

https_test_server https_test_server::from_environment() {
  https_test_server s;
  const char* state = std::getenv("VCAM_HTTPS_STATE");
  const char* root = std::getenv("VCAM_HTTPS_ROOT");
  if (!state || !*state) return s;
  s.state_ = with_separator(native_path(state));
  s.root_ = with_separator(root && *root ? native_path(root) : s.state_ + "www");
  s.base_url_ = first_line(s.state_ + "url");
  return s;
}

std::vector<server_request> https_test_server::requests() const {
  std::vector<server_request> out;
  std::ifstream in(state_ + "requests.log");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    server_request r;
    std::getline(fields, r.method, '\t');
    std::getline(fields, r.path, '\t');
    std::getline(fields, r.query);
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<server_request> https_test_server::requests_for(std::string_view path) const {
  std::vector<server_request> out;
  for (auto& r : requests())
    if (r.path == path) out.push_back(std::move(r));
  return out;
}

}  // namespace vcam::testing
