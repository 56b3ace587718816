#pragma once
// The whole content of a file of the source tree, for the script and layout
// tests ("" when it cannot be read).
#include <fstream>
#include <sstream>
#include <string>

namespace vcam::uninstaller::testing {

inline std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace vcam::uninstaller::testing
