#pragma once
// The process functions of the scripts: find and end processes by module
// path or by executable name. The running uninstaller never ends itself: a
// script that names its own program would otherwise cut its run short
// before the exit clean-up.
#include <windows.h>

#include <string>
#include <string_view>

namespace vcam::uninstaller {

// Case-insensitive comparison of two paths or file names.
bool same_path(std::u16string_view a, std::u16string_view b);

// The main module's path of an opened process; empty on failure.
std::u16string module_path_of(HANDLE process);

// killProcess: every other process whose module path equals `path` is ended
// with exit code -8 and waited for up to 1000 ms each.
void kill_process(std::u16string_view path);

// isProcessRunning: some process that opens for querying has that module path.
bool is_process_running(std::u16string_view path);

// getProcessPath: the running program's full path; empty on failure.
std::u16string current_process_path();

// Ends every other process whose executable name (no folder) equals `name`,
// with exit code 0 and without waiting.
void kill_by_exe_name(std::u16string_view name);

}  // namespace vcam::uninstaller
