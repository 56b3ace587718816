#pragma once
// Hands over to the verified patcher: starts application folder +
// "patch\patch.exe" with the launcher's process id, elevated where the system
// knows elevation. The launcher exits right after, whatever the result.
#include <string>

namespace vcam::launcher {

// ShellExecuteExW's result, for the log and tests; the launcher ignores it.
bool start_patcher(const std::u16string& application_folder);

}  // namespace vcam::launcher
