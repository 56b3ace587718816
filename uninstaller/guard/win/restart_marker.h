#pragma once
// The pending-restart marker: "zelovirtualcamera_restart" in the user's
// temporary folder, holding the 8-byte "ShutdownTime" stamp of
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Windows taken when the
// uninstaller found that only a reboot can finish its work. It stands until
// the stamp changes (the next shutdown); a reboot deletes it.
//
// Every failure of the registry or the file system counts as "no obstacle",
// except that the uninstaller reads an unreadable stamp as 8 zero bytes.
#include <optional>
#include <string>

#include "uninstaller/guard/restart_marker_rules.h"

namespace vcam::uninstaller {

// GetTempPathW (which ends in "\") + "\zelovirtualcamera_restart": the doubled
// separator is how every reader and the writer build it.
std::u16string restart_marker_path();

// The stamp, or nothing when the key or the value cannot be read.
std::optional<shutdown_stamp> read_shutdown_stamp();

// markRestart: writes the current stamp (zeros when unreadable) and registers
// the marker for deletion at the next boot, even when writing failed.
void mark_restart();

// The uninstaller's check; deletes a marker that is short, unreadable or stale.
bool restart_pending_for_uninstaller();

// The launcher's check; reads only, never writes or deletes the marker.
bool restart_pending_for_launcher();

}  // namespace vcam::uninstaller
