#pragma once
// A script output that keeps what the scripts print and the errors the host
// reports, for the tests to read back.
#include <string>
#include <string_view>
#include <vector>

#include "uninstaller/script/script_state.h"

namespace vcam::uninstaller::testing {

class RecordingOutput : public ScriptOutput {
 public:
  void print_line(std::string_view text) override { lines.emplace_back(text); }
  void report_error(ScriptKind kind, std::string_view message) override {
    errors.push_back((kind == ScriptKind::window ? "window: " : "worker: ") + std::string(message));
  }
  std::vector<std::string> lines, errors;
};

}  // namespace vcam::uninstaller::testing
