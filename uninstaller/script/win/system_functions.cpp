#include "uninstaller/script/win/system_functions.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "uninstaller/guard/win/restart_marker.h"
#include "uninstaller/script/exit_flags.h"
#include "uninstaller/script/registry_roots.h"
#include "uninstaller/script/script_args.h"
#include "uninstaller/script/script_text.h"
#include "uninstaller/script/win/consumer_processes.h"
#include "uninstaller/script/win/directory_removal.h"
#include "uninstaller/script/win/file_functions.h"
#include "uninstaller/script/win/process_functions.h"
#include "uninstaller/script/win/registry_functions.h"
#include "uninstaller/script/win/shell_execute.h"
#include "uninstaller/script/win/shell_folders.h"
#include "uninstaller/script/win/shortcuts.h"
#include "uninstaller/script/win/system_checks.h"

// Each function reads its arguments first (never raising), then does its
// work with C++ objects, then pushes its results; a text result is pushed
// under a protected call, so no Lua error ever unwinds these frames.
namespace vcam::uninstaller {

namespace {

DWORD dword_arg(lua_State* L, int index) { return static_cast<DWORD>(static_cast<std::uint64_t>(integer_arg(L, index))); }

int push_boolean(lua_State* L, bool value) {
  lua_pushboolean(L, value);
  return 1;
}

int push_optional(lua_State* L, const std::optional<std::u16string>& text) {
  return text && push_wide(L, *text) ? 1 : 0;
}

int l_sleep(lua_State* L) {
  // A negative time would be INFINITE to Windows; the longest finite wait
  // is the limit.
  const std::int64_t ms = std::clamp<std::int64_t>(integer_arg(L, 1), 0, INFINITE - 1);
  ::Sleep(static_cast<DWORD>(ms));
  return 0;
}

int l_killProcess(lua_State* L) {
  kill_process(wide_arg(L, 1));
  return 0;
}

int l_removeFile(lua_State* L) { return push_boolean(L, remove_file(wide_arg(L, 1))); }

int l_moveFile(lua_State* L) {
  const std::u16string from = wide_arg(L, 1), to = wide_arg(L, 2);
  return push_boolean(L, move_file(from, to));
}

int l_removeDirectory(lua_State* L) {
  remove_directory(wide_arg(L, 1));
  return 0;
}

int l_createDirectory(lua_State* L) { return push_boolean(L, create_directory(wide_arg(L, 1))); }

int l_shellExecuteEx(lua_State* L) {
  const std::u16string file = wide_arg(L, 1), parameters = wide_arg(L, 2), verb = wide_arg(L, 3);
  const int show = static_cast<int>(integer_arg(L, 4));
  const ULONG mask = dword_arg(L, 5);
  const ShellRun run = shell_execute(file, parameters, verb, show, mask);
  switch (run.outcome) {
    case ShellRun::failed:
      return push_boolean(L, false);
    case ShellRun::started:
      return push_boolean(L, true);
    case ShellRun::ended:
      lua_pushboolean(L, true);
      if (!run.exit_code) return 1;
      // Exit codes read signed, like the -8 of an ended process.
      lua_pushnumber(L, static_cast<lua_Number>(static_cast<std::int32_t>(*run.exit_code)));
      return 2;
    case ShellRun::timed_out:
      lua_settop(L, 0);
      return push_boolean(L, false);
  }
  return 0;
}

int l_fileExists(lua_State* L) { return push_boolean(L, file_exists(wide_arg(L, 1))); }

int l_print(lua_State* L) {
  const std::u16string text = wide_arg(L, 1);
  ::OutputDebugStringW(wide(text));
  if (ScriptOutput* output = ScriptState::output_of(L)) output->print_line(utf16_to_utf8(text));
  return 0;
}

int l_getAppDataFolder(lua_State* L) { return push_optional(L, shell_folder(CSIDL_APPDATA)); }
int l_getProgramFolder(lua_State* L) { return push_optional(L, shell_folder(CSIDL_PROGRAM_FILES)); }
int l_getTempFolder(lua_State* L) { return push_optional(L, temp_folder()); }
int l_getDesktopFolder(lua_State* L) { return push_optional(L, shell_folder(CSIDL_COMMON_DESKTOPDIRECTORY)); }
int l_getStartMenuFolder(lua_State* L) { return push_optional(L, shell_folder(CSIDL_COMMON_PROGRAMS)); }

int l_createShortCut(lua_State* L) {
  const std::u16string target = wide_arg(L, 1), link = wide_arg(L, 2);
  return push_boolean(L, create_shortcut(target, link));
}

int l_reboot(lua_State*) {
  set_reboot_requested();
  return 0;
}

int l_volumeExists(lua_State* L) { return push_boolean(L, volume_exists(wide_arg(L, 1))); }
int l_directoryEmpty(lua_State* L) { return push_boolean(L, directory_empty(wide_arg(L, 1))); }

int l_setCurrentDirectory(lua_State* L) {
  set_current_directory(wide_arg(L, 1));
  return 0;
}

int l_isWOW32(lua_State* L) { return push_boolean(L, is_wow32()); }

int l_isProcessRunning(lua_State* L) {
  // Nothing rather than false when no process matches.
  return is_process_running(wide_arg(L, 1)) ? push_boolean(L, true) : 0;
}

int l_getProcessPath(lua_State* L) {
  const std::u16string path = current_process_path();
  return path.empty() ? 0 : push_optional(L, path);
}

int l_showMessageBox(lua_State* L) {
  const std::u16string text = wide_arg(L, 1), caption = wide_arg(L, 2);
  const UINT type = dword_arg(L, 3);
  lua_pushnumber(L, ::MessageBoxW(nullptr, wide(text), wide(caption), type));
  return 1;
}

int l_regQueryString(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2), name = wide_arg(L, 3);
  return root ? push_optional(L, reg_query_string(*root, subkey, name)) : 0;
}

int l_regQueryInteger(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2), name = wide_arg(L, 3);
  const auto value = root ? reg_query_integer(*root, subkey, name) : std::nullopt;
  if (!value) return 0;
  lua_pushnumber(L, static_cast<lua_Number>(*value));
  return 1;
}

int l_regWriteString(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2), name = wide_arg(L, 3), value = wide_arg(L, 4);
  if (root) reg_write_string(*root, subkey, name, value);
  return 0;
}

int l_regWriteInteger(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2), name = wide_arg(L, 3);
  const DWORD value = dword_arg(L, 4);
  if (root) reg_write_integer(*root, subkey, name, value);
  return 0;
}

int l_regDeleteValue(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2), name = wide_arg(L, 3);
  if (root) reg_delete_value(*root, subkey, name);
  return 0;
}

int l_regDeleteSubKey(lua_State* L) {
  const auto root = predefined_root(integer_arg(L, 1));
  const std::u16string subkey = wide_arg(L, 2);
  if (root) reg_delete_subkey(*root, subkey);
  return 0;
}

int l_markRestart(lua_State*) {
  mark_restart();
  return 0;
}

int l_resolveShortCut(lua_State* L) { return push_optional(L, resolve_shortcut(wide_arg(L, 1))); }

int l_isWin8(lua_State* L) { return push_boolean(L, is_win8()); }

int l_getRunningProcess(lua_State* L) {
  const auto list = read_consumer_list();
  return list && !list->empty() ? push_optional(L, list) : 0;
}

int l_killRunningProcess(lua_State*) {
  kill_running_consumers();
  return 0;
}

int l_setUserCanceled(lua_State*) {
  set_user_canceled();
  return 0;
}

const GlobalNumber kRootNumbers[] = {
    {"HKEY_CLASSES_ROOT", kClassesRoot},
    {"HKEY_CURRENT_USER", kCurrentUser},
    {"HKEY_LOCAL_MACHINE", kLocalMachine},
    {"HKEY_USERS", kUsers},
};

}  // namespace

const luaL_Reg kSystemFunctions[] = {
    {"sleep", l_sleep},
    {"killProcess", l_killProcess},
    {"removeFile", l_removeFile},
    {"moveFile", l_moveFile},
    {"removeDirectory", l_removeDirectory},
    {"createDirectory", l_createDirectory},
    {"shellExecuteEx", l_shellExecuteEx},
    {"fileExists", l_fileExists},
    {"print", l_print},
    {"getAppDataFolder", l_getAppDataFolder},
    {"getProgramFolder", l_getProgramFolder},
    {"getTempFolder", l_getTempFolder},
    {"getDesktopFolder", l_getDesktopFolder},
    {"getStartMenuFolder", l_getStartMenuFolder},
    {"createShortCut", l_createShortCut},
    {"reboot", l_reboot},
    {"volumeExists", l_volumeExists},
    {"directoryEmpty", l_directoryEmpty},
    {"setCurrentDirectory", l_setCurrentDirectory},
    {"isWOW32", l_isWOW32},
    {"isProcessRunning", l_isProcessRunning},
    {"getProcessPath", l_getProcessPath},
    {"showMessageBox", l_showMessageBox},
    {"regQueryString", l_regQueryString},
    {"regQueryInteger", l_regQueryInteger},
    {"regWriteString", l_regWriteString},
    {"regWriteInteger", l_regWriteInteger},
    {"regDeleteValue", l_regDeleteValue},
    {"regDeleteSubKey", l_regDeleteSubKey},
    {"markRestart", l_markRestart},
    {"resolveShortCut", l_resolveShortCut},
    {"isWin8", l_isWin8},
    {"getRunningProcess", l_getRunningProcess},
    {"killRunningProcess", l_killRunningProcess},
    {"setUserCanceled", l_setUserCanceled},
    {nullptr, nullptr},
};

std::span<const GlobalNumber> registry_root_numbers() { return kRootNumbers; }

}  // namespace vcam::uninstaller
