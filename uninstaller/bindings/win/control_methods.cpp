// The methods of control tables: those every control has, and those of its
// script class. A table that is not a registered live control makes every
// method do nothing (getName then answers "nil").
#include <algorithm>
#include <cstdint>
#include <string>

#include "common/text_utf.h"
#include "dui/controls/edit.h"
#include "dui/controls/progress_bar.h"
#include "dui/controls/text_box.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/bindings/win/control_tables.h"
#include "uninstaller/bindings/win/script_window.h"
#include "uninstaller/bindings/win/window_state_bindings.h"
#include "uninstaller/script/script_args.h"
#include "uninstaller/ui/power_point.h"

namespace vcam::uninstaller {

namespace {

using dui::Control;

std::int32_t int_arg(lua_State* L, int index) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(integer_arg(L, index), INT32_MIN, INT32_MAX));
}

int push_or_nothing(lua_State* L, Control* control) { return push_control(L, control) ? 1 : 0; }

// ---- common methods

int c_getWindow(lua_State* L) {
  Control* c = control_at(L, 1);
  WindowStateBindings* bindings = WindowStateBindings::of(L);
  if (!c || !c->window() || !bindings) return 0;
  auto* window = dynamic_cast<ScriptWindow*>(c->window());
  if (!window || !bindings->has_window(window)) return 0;
  return push_window(L, window) ? 1 : 0;
}

int c_getParent(lua_State* L) {
  Control* c = control_at(L, 1);
  return c ? push_or_nothing(L, c->parent()) : 0;
}

int c_getPrevious(lua_State* L) {
  Control* c = control_at(L, 1);
  return c ? push_or_nothing(L, c->previous()) : 0;
}

int c_getNext(lua_State* L) {
  Control* c = control_at(L, 1);
  return c ? push_or_nothing(L, c->next()) : 0;
}

int c_getEnabled(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) return 0;
  lua_pushboolean(L, c->IsEnabled());
  return 1;
}

int c_setEnabled(lua_State* L) {
  if (Control* c = control_at(L, 1)) c->SetEnabled(lua_toboolean(L, 2) != 0);
  return 0;
}

int c_getVisible(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) return 0;
  lua_pushboolean(L, c->HasFlag(dui::ControlFlags::Visible));
  return 1;
}

int c_setVisible(lua_State* L) {
  if (Control* c = control_at(L, 1)) c->SetVisible(lua_toboolean(L, 2) != 0);
  return 0;
}

int c_setFocus(lua_State* L) {
  Control* c = control_at(L, 1);
  if (c && c->window()) c->window()->SetFocusedControl(c);
  return 0;
}

int c_setStyle(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) return 0;
  c->SetString(dui::attr::style, wide_arg(L, 2));
  c->Invalidate(false);
  return 0;
}

int c_repaint(lua_State* L) {
  if (Control* c = control_at(L, 1)) c->Invalidate(false);
  return 0;
}

int c_addHandler(lua_State* L) {
  Control* c = control_at(L, 1);
  const dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  if (!c || !runtime || !lua_checkstack(L, 2)) return 0;
  const std::int32_t number = int_arg(L, 2);
  const int top = lua_gettop(L);
  if (push_control_dispatcher(L, 1) && lua_istable(L, -1) && add_handler(L, lua_gettop(L), number, 3)) {
    const std::int32_t kind = runtime->profile().EventKindOf(number);
    // Handlers of numbers the framework does not raise stay in the script.
    if (kind != dui::EventKind::None && control_at(L, 1) == c) route_event(c, kind);
  }
  lua_settop(L, top);
  return 0;
}

int c_removeHandler(lua_State* L) {
  Control* c = control_at(L, 1);
  const dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  if (!c || !runtime || !lua_checkstack(L, 2)) return 0;
  const std::int32_t number = int_arg(L, 2);
  const int top = lua_gettop(L);
  if (push_control_dispatcher(L, 1) && lua_istable(L, -1) && remove_handler(L, lua_gettop(L), number, 3)) {
    const std::int32_t kind = runtime->profile().EventKindOf(number);
    if (kind != dui::EventKind::None && control_at(L, 1) == c) unroute_event(c, kind);
  }
  lua_settop(L, top);
  return 0;
}

int c_getName(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) {
    lua_pushliteral(L, "nil");
    return 1;
  }
  return push_wide(L, c->class_name()) ? 1 : 0;
}

int c_setText(lua_State* L) {
  if (Control* c = control_at(L, 1)) c->SetText(wide_arg(L, 2));
  return 0;
}

int c_getText(lua_State* L) {
  Control* c = control_at(L, 1);
  return c && push_wide(L, c->GetText()) ? 1 : 0;
}

int c_setToolTip(lua_State* L) {
  if (Control* c = control_at(L, 1)) c->SetString(dui::attr::tooltip, wide_arg(L, 2));
  return 0;
}

// ---- "Panel"

dui::Panel* panel_at(lua_State* L, int index) {
  Control* c = control_at(L, index);
  return c && c->HasFlag(dui::ControlFlags::Container) ? static_cast<dui::Panel*>(c) : nullptr;
}

int p_getFirstChild(lua_State* L) {
  dui::Panel* p = panel_at(L, 1);
  return p ? push_or_nothing(L, p->first_child()) : 0;
}

int p_getLastChild(lua_State* L) {
  dui::Panel* p = panel_at(L, 1);
  return p ? push_or_nothing(L, p->last_child()) : 0;
}

// Depth first, in child order; the panel itself is not its own descendant.
Control* find_descendant(const dui::Panel& panel, std::int32_t id) {
  for (Control* c = panel.first_child(); c; c = c->next()) {
    std::int32_t value = 0;
    if (c->FindValue(dui::attr::id, &value) && value == id) return c;
    if (c->HasFlag(dui::ControlFlags::Container))
      if (Control* found = find_descendant(*static_cast<dui::Panel*>(c), id)) return found;
  }
  return nullptr;
}

int p_getChild(lua_State* L) {
  dui::Panel* p = panel_at(L, 1);
  return p ? push_or_nothing(L, find_descendant(*p, int_arg(L, 2))) : 0;
}

// ---- "Button"

int b_setCheck(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) return 0;
  c->SetFlag(dui::ControlFlags::Checked, lua_toboolean(L, 2) != 0);
  c->Invalidate(false);
  return 0;
}

int b_getCheck(lua_State* L) {
  Control* c = control_at(L, 1);
  if (!c) return 0;
  lua_pushboolean(L, c->HasFlag(dui::ControlFlags::Checked));
  return 1;
}

// ---- "TextBox" and "Edit": their text lives in the control, not in its
// "text" property, so the common setText / getText would miss it.

dui::TextBox* text_box_at(lua_State* L, int index) { return dynamic_cast<dui::TextBox*>(control_at(L, index)); }

int t_setText(lua_State* L) {
  // A text longer than the box holds is cut to what it holds.
  if (dui::TextBox* box = text_box_at(L, 1)) box->SetText(wide_arg(L, 2));
  return 0;
}

int t_getText(lua_State* L) {
  dui::TextBox* box = text_box_at(L, 1);
  return box && push_wide(L, box->GetText()) ? 1 : 0;
}

dui::Edit* edit_at(lua_State* L, int index) { return dynamic_cast<dui::Edit*>(control_at(L, index)); }

int e_setText(lua_State* L) {
  dui::Edit* edit = edit_at(L, 1);
  if (!edit) return 0;
  edit->SetText(wide_arg(L, 2));
  edit->Invalidate(false);
  return 0;
}

int e_getText(lua_State* L) {
  dui::Edit* edit = edit_at(L, 1);
  return edit && push_wide(L, edit->GetText()) ? 1 : 0;
}

// ---- "ProgressBar"

dui::ProgressBar* progress_at(lua_State* L, int index) { return dynamic_cast<dui::ProgressBar*>(control_at(L, index)); }

int g_setRange(lua_State* L) {
  dui::ProgressBar* bar = progress_at(L, 1);
  if (!bar) return 0;
  bar->range = int_arg(L, 2);
  bar->Invalidate(false);
  return 0;
}

int g_setPosition(lua_State* L) {
  dui::ProgressBar* bar = progress_at(L, 1);
  if (!bar) return 0;
  bar->position = std::min(int_arg(L, 2), bar->range);
  bar->Invalidate(false);
  return 0;
}

// ---- "PowerPoint"

PowerPoint* power_point_at(lua_State* L, int index) { return dynamic_cast<PowerPoint*>(control_at(L, index)); }

int s_playStart(lua_State* L) {
  if (PowerPoint* show = power_point_at(L, 1)) show->PlayStart();
  return 0;
}

int s_playStop(lua_State* L) {
  if (PowerPoint* show = power_point_at(L, 1)) show->PlayStop();
  return 0;
}

const luaL_Reg kCommonMethods[] = {
    {"getWindow", c_getWindow},   {"getParent", c_getParent},       {"getPrevious", c_getPrevious},
    {"getNext", c_getNext},       {"getEnabled", c_getEnabled},     {"setEnabled", c_setEnabled},
    {"getVisible", c_getVisible}, {"setVisible", c_setVisible},     {"setFocus", c_setFocus},
    {"setStyle", c_setStyle},     {"repaint", c_repaint},           {"addHandler", c_addHandler},
    {"removeHandler", c_removeHandler}, {"getName", c_getName},     {"setText", c_setText},
    {"getText", c_getText},       {"setToolTip", c_setToolTip},     {nullptr, nullptr},
};

const luaL_Reg kPanelMethods[] = {
    {"getFirstChild", p_getFirstChild}, {"getLastChild", p_getLastChild}, {"getChild", p_getChild}, {nullptr, nullptr},
};

const luaL_Reg kButtonMethods[] = {{"setCheck", b_setCheck}, {"getCheck", b_getCheck}, {nullptr, nullptr}};

const luaL_Reg kProgressBarMethods[] = {
    {"setRange", g_setRange}, {"setPosition", g_setPosition}, {nullptr, nullptr}};

const luaL_Reg kPowerPointMethods[] = {{"playStart", s_playStart}, {"playStop", s_playStop}, {nullptr, nullptr}};

const luaL_Reg kTextBoxMethods[] = {{"setText", t_setText}, {"getText", t_getText}, {nullptr, nullptr}};

const luaL_Reg kEditMethods[] = {{"setText", e_setText}, {"getText", e_getText}, {nullptr, nullptr}};

// The classes' lists in one place. "Image" has none of its own.
ControlMethodTables make_tables() {
  ControlMethodTables t;
  t.common = kCommonMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::panel)] = kPanelMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::button)] = kButtonMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::text_box)] = kTextBoxMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::edit)] = kEditMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::progress_bar)] = kProgressBarMethods;
  t.by_class[static_cast<std::size_t>(ScriptClass::power_point)] = kPowerPointMethods;
  return t;
}

}  // namespace

const ControlMethodTables& control_method_tables() {
  static const ControlMethodTables tables = make_tables();
  return tables;
}

}  // namespace vcam::uninstaller
