#pragma once
// A state of the given kind that has run the stand-ins of a script's
// surroundings and then the shipped script itself, for the script tests.
#include <gtest/gtest.h>

#include <string>

#include "uninstaller/script/script_state.h"
#include "uninstaller/script/testing/recording_output.h"
#include "uninstaller/script/window_registry.h"
#include "uninstaller/scripts/testing/file_text.h"

namespace vcam::uninstaller::testing {

class ScriptUnderTest {
 public:
  explicit ScriptUnderTest(ScriptKind kind) : state_(setup(kind, &output_)) {
    ready_ = state_.ok() && (kind != ScriptKind::window || !create_window_registry_tables(state_.get()));
  }
  lua_State* get() const { return state_.get(); }
  RecordingOutput& output() { return output_; }

  // Runs Lua text; the error text or "".
  std::string run(const std::string& text) {
    const auto error = state_.run_string(text.c_str());
    return error ? *error : std::string();
  }
  // Runs a Lua file; the error text or "".
  std::string run_file(const std::string& path) {
    if (!ready_) return "no state";
    const std::string text = file_text(path);
    if (text.empty()) return "missing " + path;
    const auto error = state_.run_file_text(text, path);
    return error ? *error : std::string();
  }
  // The value of a Lua expression as a string ("nil" for nil).
  std::string eval(const std::string& expression) {
    const std::string error = run("__result = tostring(" + expression + ")");
    if (!error.empty()) return "error: " + error;
    lua_getglobal(get(), "__result");
    std::string value = lua_tostring(get(), -1) ? lua_tostring(get(), -1) : "?";
    lua_pop(get(), 1);
    return value;
  }

 private:
  static ScriptSetup setup(ScriptKind kind, ScriptOutput* output) {
    ScriptSetup s;
    s.kind = kind;
    s.output = output;
    return s;
  }
  RecordingOutput output_;
  ScriptState state_;
  bool ready_ = false;
};

}  // namespace vcam::uninstaller::testing
