#pragma once
// The system functions registered in every script state, in their order,
// and the registry roots set as global numbers after them. None of them
// raises a script error: failures show as false, as no result or not at all.
#include <span>

#include "uninstaller/script/script_state.h"

namespace vcam::uninstaller {

// Null-terminated, for luaL_setfuncs.
extern const luaL_Reg kSystemFunctions[];

// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS.
std::span<const GlobalNumber> registry_root_numbers();

}  // namespace vcam::uninstaller
