#include "uninstaller/bindings/win/control_tables.h"

#include "dui/runtime/ui_runtime.h"
#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/bindings/control_class.h"
#include "uninstaller/bindings/win/window_state_bindings.h"

namespace vcam::uninstaller {

namespace {

void drop_table(void*, dui::Control* control) {
  // Outside the window script's run (the state closing) there is nothing to drop.
  if (lua_State* L = WindowStateBindings::current_state()) {
    const WindowStateBindings* bindings = WindowStateBindings::of(L);
    if (bindings && !bindings->closing()) remove_control(L, control);
  }
  control->SetFlag(dui::ControlFlags::ScriptTable, false);
}

// The handler of routed events: the context is the control the script added
// handlers to, which may be an ancestor of the event's source.
void deliver_event(void* context, dui::Control*, dui::EventArgs& args) {
  lua_State* L = WindowStateBindings::current_state();
  const dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  if (!L || !runtime || !lua_checkstack(L, 4)) return;
  const std::int32_t number = runtime->profile().EventNumber(args.kind);
  if (number == dui::UiProfile::kNoEventNumber) return;
  auto* control = static_cast<dui::Control*>(context);
  const int top = lua_gettop(L);
  if (push_control(L, control) && lua_istable(L, -1)) {
    const int table = lua_gettop(L);
    if (push_control_dispatcher(L, table) && lua_istable(L, -1)) {
      const int dispatcher = lua_gettop(L);
      // The control may be gone once the handlers returned: only the
      // arguments are written.
      if (invoke_handlers(L, dispatcher, table, number, static_cast<lua_Number>(args.param1),
                          static_cast<lua_Number>(args.param2)))
        args.handled = 1;
    }
  }
  lua_settop(L, top);
}

}  // namespace

bool push_control(lua_State* L, dui::Control* control) {
  if (!lua_checkstack(L, 2)) return false;
  if (!control) {
    lua_pushnil(L);
    return true;
  }
  if (control->HasFlag(dui::ControlFlags::ScriptTable)) {
    if (!push_control_table(L, control)) return false;
    if (!lua_isnil(L, -1)) return true;
    lua_pop(L, 1);
  }
  const ScriptClass cls = script_class_of(control->class_name());
  if (push_method_table(L, control_method_tables(), cls)) {
    lua_pushnil(L);
    return true;
  }
  add_control(L, lua_gettop(L), control);
  if (!control->HasFlag(dui::ControlFlags::ScriptTable)) {
    control->SetFlag(dui::ControlFlags::ScriptTable, true);
    control->AddDestroyHandler(nullptr, &drop_table);
  }
  return true;
}

dui::Control* control_at(lua_State* L, int index) {
  const std::uintptr_t handle = control_handle(L, index);
  auto* control = reinterpret_cast<dui::Control*>(handle);
  // Only a control that lives now; a number from the script is never
  // dereferenced otherwise.
  if (!handle || !dui::LiveControlSet::Contains(control)) return nullptr;
  return control->HasFlag(dui::ControlFlags::ScriptTable) ? control : nullptr;
}

void route_event(dui::Control* control, std::int32_t kind) {
  control->RemoveHandler(kind, control, &deliver_event);
  control->AddHandler(kind, control, &deliver_event);
}

void unroute_event(dui::Control* control, std::int32_t kind) { control->RemoveHandler(kind, control, &deliver_event); }

}  // namespace vcam::uninstaller
