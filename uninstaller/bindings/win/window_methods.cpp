#include "uninstaller/bindings/win/window_methods.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/win/wide.h"
#include "uninstaller/bindings/bookkeeping_calls.h"
#include "uninstaller/bindings/win/control_tables.h"
#include "uninstaller/bindings/win/script_window.h"
#include "uninstaller/bindings/win/window_state_bindings.h"
#include "uninstaller/script/script_args.h"

// Like the system functions, each method reads its arguments, does its work
// with C++ objects and pushes plain values or pushes under protection; no
// Lua error unwinds these frames.
namespace vcam::uninstaller {

namespace {

std::int32_t int_arg(lua_State* L, int index) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(integer_arg(L, index), INT32_MIN, INT32_MAX));
}

int m_getRoot(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  return w && push_control(L, w->root()) ? 1 : 0;
}

int m_getChild(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  return w && push_control(L, w->GetChild(int_arg(L, 2))) ? 1 : 0;
}

int m_setPosition(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1))
    ::SetWindowPos(w->hwnd(), nullptr, int_arg(L, 2), int_arg(L, 3), 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  return 0;
}

int m_getPosition(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  RECT r{};
  if (!w || !::GetWindowRect(w->hwnd(), &r)) return 0;
  lua_pushnumber(L, r.left);
  lua_pushnumber(L, r.top);
  return 2;
}

int m_centerScreen(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1)) w->CenterOnScreen();
  return 0;
}

int m_browseForFolder(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  const std::u16string title = wide_arg(L, 2);
  BROWSEINFOW info{};
  info.hwndOwner = w->hwnd();
  info.lpszTitle = wide(title);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE list = ::SHBrowseForFolderW(&info);
  if (!list) return 0;
  wchar_t path[MAX_PATH] = {};
  const bool found = ::SHGetPathFromIDListW(list, path) != FALSE;
  ::CoTaskMemFree(list);
  return found && push_wide(L, u16(path)) ? 1 : 0;
}

int m_showDialog(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  const ScriptWindow* owner = lua_gettop(L) >= 2 ? window_at(L, 2) : nullptr;
  const std::int32_t code = w->RunModal(owner && owner != w ? owner->hwnd() : nullptr);
  lua_pushnumber(L, code);
  return 1;
}

int m_endDialog(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1)) w->EndDialog(int_arg(L, 2));
  return 0;
}

int m_updateLayout(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1)) w->SizeToLayout();
  return 0;
}

int m_setMessageHandler(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  set_message_handler(L, 1, 2);
  w->Subscribe();
  return 0;
}

int m_setIcon(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  const auto id = static_cast<WORD>(integer_arg(L, 2));
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))) {
    ::SendMessageW(w->hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(w->hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  return 0;
}

int m_setTitle(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  const std::u16string title = wide_arg(L, 2);
  ::SendMessageW(w->hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(title)));
  return 0;
}

int m_showWindow(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1)) ::ShowWindow(w->hwnd(), int_arg(L, 2));
  return 0;
}

int m_showMessageBox(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  const std::u16string text = wide_arg(L, 2), caption = wide_arg(L, 3);
  const UINT type = static_cast<UINT>(integer_arg(L, 4));
  const int button = ::MessageBoxW(w->hwnd(), wide(text), wide(caption), type);
  lua_pushnumber(L, button);
  return 1;
}

int m_setTimer(lua_State* L) {
  ScriptWindow* w = window_at(L, 1);
  if (!w) return 0;
  // USER_TIMER_MAXIMUM and below; the system raises shorter ones to its minimum.
  const auto interval = static_cast<std::uint32_t>(std::clamp<std::int64_t>(integer_arg(L, 2), 0, 0x7FFFFFFF));
  void* timer = w->StartTimer(interval);
  if (!timer) return 0;
  set_timer(L, timer, 3, w);
  lua_pushnumber(L, handle_number(timer));
  return 1;
}

int m_killTimer(lua_State* L) {
  if (ScriptWindow* w = window_at(L, 1)) w->KillTimer(reinterpret_cast<const void*>(handle_at(L, 2)));
  return 0;
}

}  // namespace

ScriptWindow* window_at(lua_State* L, int index) {
  WindowStateBindings* bindings = WindowStateBindings::of(L);
  if (!bindings || bindings->closing()) return nullptr;
  return bindings->find_window(window_handle(L, index));
}

const luaL_Reg kWindowMethods[] = {
    {"getRoot", m_getRoot},
    {"getChild", m_getChild},
    {"setPosition", m_setPosition},
    {"getPosition", m_getPosition},
    {"centerScreen", m_centerScreen},
    {"browseForFolder", m_browseForFolder},
    {"showDialog", m_showDialog},
    {"endDialog", m_endDialog},
    {"updateLayout", m_updateLayout},
    {"setMessageHandler", m_setMessageHandler},
    {"setIcon", m_setIcon},
    {"setTitle", m_setTitle},
    {"showWindow", m_showWindow},
    {"showMessageBox", m_showMessageBox},
    {"setTimer", m_setTimer},
    {"killTimer", m_killTimer},
    {nullptr, nullptr},
};

}  // namespace vcam::uninstaller
