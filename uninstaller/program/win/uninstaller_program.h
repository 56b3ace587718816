#pragma once
// The uninstaller's entry routine: guards, start-up sweep, embedded
// resources, toolkit, the window script with its worker, shutdown in order
// and the exit clean-up. Always 0, the exit code on every path.
#include "uninstaller/program/win/exit_cleanup.h"

namespace vcam::uninstaller {

int run_uninstaller(ExitWindowsFunction exit_windows);

}  // namespace vcam::uninstaller
