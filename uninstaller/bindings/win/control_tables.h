#pragma once
// Controls as the window script sees them: one table per control, made when
// the control is first handed to the script and dropped when the control is
// destroyed (the control carries the has-script-table flag meanwhile), and
// native events routed into the script's handlers.
#include <lua.hpp>

#include <cstdint>

#include "dui/core/control.h"
#include "uninstaller/bindings/method_tables.h"

namespace vcam::uninstaller {

// The methods of every control table (set by the control methods' unit).
const ControlMethodTables& control_method_tables();

// Pushes the control's table, made if needed; nil for a null control. False
// when nothing could be pushed.
bool push_control(lua_State* L, dui::Control* control);

// The live control the table at `index` stands for; null when none.
dui::Control* control_at(lua_State* L, int index);

// Routes the control's native event `kind` to its script handlers (once).
void route_event(dui::Control* control, std::int32_t kind);
void unroute_event(dui::Control* control, std::int32_t kind);

}  // namespace vcam::uninstaller
