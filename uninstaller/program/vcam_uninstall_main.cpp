// vcam_uninstall.exe: the entry routine; the work is in the libraries.
#include <windows.h>

#include "uninstaller/program/win/uninstaller_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return vcam::uninstaller::run_uninstaller(&::ExitWindowsEx); }
