#pragma once
// The uninstaller's ways to leave once every thread has ended: the
// self-deletion batch, or delete-on-reboot followed by a forced reboot.
#include <windows.h>

#include <optional>
#include <string>

namespace vcam::uninstaller {

// ExitWindowsEx, or a stand-in where a test may not reboot its machine.
using ExitWindowsFunction = BOOL(WINAPI*)(UINT flags, DWORD reason);

// "InstallPath" under HKEY_CURRENT_USER "Software\ZeloVCamera"; nothing when
// it cannot be read.
std::optional<std::u16string> registered_install_path();

// "%TEMP%\zelocamera.bat", code page 936, started hidden at idle priority
// while this process takes the processor to end first. An empty `folder`
// leaves the folder alone. False when the batch could not be written or
// started.
bool start_self_deletion(const std::u16string& exe_path, const std::u16string& folder);

// Registers the executable and then `folder` (unless empty) for deletion at
// the next boot: the file first, so the folder is empty when its turn comes.
void delete_at_next_boot(const std::u16string& exe_path, const std::u16string& folder);

// Enables the shutdown privilege and asks for a forced reboot; a failure is
// shown in a message box with the system's default title.
void reboot_machine(ExitWindowsFunction exit_windows);

}  // namespace vcam::uninstaller
