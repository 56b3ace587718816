#pragma once
// A window-kind script state with the registry tables and the bookkeeping
// functions of "UI.lua", errors recorded; usable natively and under Wine.
#include <gtest/gtest.h>

#include <string>

#include "uninstaller/bindings/testing/bookkeeping_source.h"
#include "uninstaller/script/script_state.h"
#include "uninstaller/script/testing/recording_output.h"
#include "uninstaller/script/window_registry.h"

namespace vcam::uninstaller::testing {

class BookkeepingState {
 public:
  explicit BookkeepingState(std::vector<const luaL_Reg*> groups = {}) : state_(setup(&output_, std::move(groups))) {
    if (!state_.ok()) return;
    ready_ = !create_window_registry_tables(state_.get()) && !state_.run_string(bookkeeping_source().c_str());
  }
  bool ready() const { return ready_; }
  lua_State* get() const { return state_.get(); }
  RecordingOutput& output() { return output_; }
  ScriptState& state() { return state_; }

  // Runs text; the error text or "".
  std::string run(const std::string& text) {
    const auto error = state_.run_string(text.c_str());
    return error ? *error : std::string();
  }

 private:
  static ScriptSetup setup(ScriptOutput* output, std::vector<const luaL_Reg*> groups) {
    ScriptSetup s;
    s.kind = ScriptKind::window;
    s.groups = std::move(groups);
    s.output = output;
    return s;
  }
  RecordingOutput output_;
  ScriptState state_;
  bool ready_ = false;
};

}  // namespace vcam::uninstaller::testing
