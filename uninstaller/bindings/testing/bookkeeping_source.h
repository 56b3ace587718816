#pragma once
// The bookkeeping functions of "UI.lua" itself, for the tests and benchmarks
// that run scripts of their own through the host: the shipped script with its
// guard set, so it defines the functions and stops before its window.
#include <fstream>
#include <sstream>
#include <string>

namespace vcam::uninstaller::testing {

// Lua text to run before a test's own script in the same chunk; the shipped
// script runs inside a function so that its early return ends only itself.
inline std::string bookkeeping_source() {
  std::ifstream in(VCAM_UI_LUA, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return "bookkeepingOnly = true; (function()\n" + text.str() + "\nend)(); bookkeepingOnly = nil\n";
}

}  // namespace vcam::uninstaller::testing
