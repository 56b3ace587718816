// vcam_launcher.exe: the entry routine. It wires the application object, the
// crash handler, the log sink and the boot steps together; the work is in
// the libraries.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/win/wide.h"
#include "launcher/application/boot_sequence.h"
#include "launcher/application/win/application.h"
#include "launcher/application/win/windows_boot_platform.h"
#include "launcher/crash/win/crash_reporter.h"
#include "launcher/log/win/logger_module_sink.h"
#include "launcher/program/boot_step_wiring.h"

namespace {

// In place while the program's globals live: before wWinMain runs and until
// the process exits in order.
vcam::launcher::crash_filter_installation g_crash_filter;

// The bounded copies of the runtime report a source that does not fit; the
// field is then left empty, which is all the launcher wants.
void ignore_invalid_parameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  _set_invalid_parameter_handler(&ignore_invalid_parameter);
  using namespace vcam::launcher;
  logger_module_sink sink;
  log_sink_installation installed(sink);
  int code;
  {
    application app;
    windows_boot_platform platform(app);
    boot_step_wiring wiring(app);
    code = run_boot_sequence(platform, wiring.steps(), vcam::u16(command_line));
  }
  return code;
}
