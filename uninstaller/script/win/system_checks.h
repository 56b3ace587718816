#pragma once
// What the scripts ask about the system they run on.
namespace vcam::uninstaller {

// isWOW32: a 32-bit system without a WOW64 layer (GetSystemWow64DirectoryW
// is not implemented there).
bool is_wow32();

// isWin8: an NT platform with a major version above 5 and a minor version
// above 1, as GetVersionExW reports it.
bool is_win8();

}  // namespace vcam::uninstaller
