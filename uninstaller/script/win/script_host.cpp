#include "uninstaller/script/win/script_host.h"

#include <windows.h>

#include <optional>
#include <string>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/script_text.h"
#include "uninstaller/script/win/system_functions.h"
#include "uninstaller/script/window_registry.h"

namespace vcam::uninstaller {

namespace {

ScriptHost* the_host = nullptr;

// Clears the published window state on every way out of a run.
class Published {
 public:
  Published(lua_State*& slot, lua_State* state) : slot_(slot) { slot_ = state; }
  ~Published() { slot_ = nullptr; }
  Published(const Published&) = delete;
  Published& operator=(const Published&) = delete;

 private:
  lua_State*& slot_;
};

}  // namespace

void MessageBoxOutput::report_error(ScriptKind kind, std::string_view message) {
  // Lua's messages are UTF-8 as the scripts are, but may quote bytes that
  // are not; those still show, replaced, rather than as an empty box.
  const std::u16string text = utf8_to_utf16(message);
  ::MessageBoxW(nullptr, wide(text), kind == ScriptKind::window ? L"错误#2" : L"错误#1", MB_OK);
}

ScriptHost::ScriptHost(ScriptOutput* output) : output_(output ? output : &message_boxes_) { the_host = this; }

ScriptHost::~ScriptHost() {
  if (the_host == this) the_host = nullptr;
}

ScriptHost* ScriptHost::instance() { return the_host; }

bool ScriptHost::run_window_script(std::u16string_view name, const luaL_Reg* window_functions) {
  return run(ScriptKind::window, name, window_functions);
}

bool ScriptHost::run_worker_script(std::u16string_view name, const luaL_Reg* worker_functions) {
  return run(ScriptKind::worker, name, worker_functions);
}

bool ScriptHost::run(ScriptKind kind, std::u16string_view name, const luaL_Reg* extra_functions) {
  ScriptSetup setup;
  setup.kind = kind;
  setup.groups = {kSystemFunctions, extra_functions};
  setup.numbers = registry_root_numbers();
  setup.output = output_;
  ScriptState state(setup);
  if (!state.ok()) {
    output_->report_error(kind, "not enough memory");
    return false;
  }
  if (kind == ScriptKind::window) {
    if (const auto error = create_window_registry_tables(state.get())) {
      output_->report_error(kind, *error);
      return false;
    }
  }
  // Only the window run publishes its state; a worker ending must not clear it.
  std::optional<Published> published;
  if (kind == ScriptKind::window) published.emplace(window_state_, state.get());

  ResourceProvider* provider = ResourceProvider::instance();
  std::size_t size = 0;
  ResourceBuffer text = provider ? provider->load(name, &size) : nullptr;
  if (!text) {
    // The shipped program always carries its scripts; a missing one is
    // reported like a script that cannot run.
    output_->report_error(kind, "cannot load script " + utf16_to_utf8(name));
    return false;
  }
  // The provider ends the text with zero bytes, so it reads as a C string.
  const auto error = state.run_string(reinterpret_cast<const char*>(text.get()));
  provider->free(text.release());
  if (error) output_->report_error(kind, *error);
  return !error;
}

}  // namespace vcam::uninstaller
