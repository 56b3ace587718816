#pragma once
// What the launcher does when an exception reaches no handler: write a
// minidump named by the local time into the dump folder, start the crash
// uploader with that folder and the two versions, tell the counter program
// "crash", and let the process end. Only the first fault is reported.
#include <windows.h>
#include <dbghelp.h>

#include <string>

#include "launcher/crash/report_gate.h"

namespace vcam::launcher {

struct crash_settings {
  std::u16string application_folder;  // ends with "\"; the outside programs live here
  std::u16string launcher_path;       // the main module, whose data the dump keeps
  std::u16string upload_endpoint;     // ".../UploadFiles.php"
};

class crash_reporter {
 public:
  explicit crash_reporter(crash_settings settings) : settings_(std::move(settings)) {}

  // The handler's work; always EXCEPTION_EXECUTE_HANDLER. A second call
  // (another fault while reporting, or on another thread) returns at once.
  LONG report(EXCEPTION_POINTERS* pointers);

  const crash_settings& settings() const { return settings_; }
  std::u16string dump_folder() const { return settings_.application_folder + u"dump"; }

 private:
  void write_dump(const std::u16string& path, EXCEPTION_POINTERS* pointers);

  crash_settings settings_;
  report_gate gate_;
};

// The dump writer's callback: keeps module data sections only where
// module_data_needed says so. `launcher_path` is a NUL-terminated path.
BOOL CALLBACK dump_callback(void* launcher_path, MINIDUMP_CALLBACK_INPUT* input, MINIDUMP_CALLBACK_OUTPUT* output);

// The base of the upload endpoint: the build's VCAM_UPLOAD_BASE_URL, or the
// environment variable of the same name when it is set.
std::u16string upload_base_url();

// Installs the process-wide handler for the life of the object (a global of
// the program, so that it is in place before the main routine runs) and puts
// the earlier filter back at orderly exit.
class crash_filter_installation {
 public:
  crash_filter_installation();
  ~crash_filter_installation();
  crash_filter_installation(const crash_filter_installation&) = delete;
  crash_filter_installation& operator=(const crash_filter_installation&) = delete;

 private:
  LPTOP_LEVEL_EXCEPTION_FILTER previous_;
};

}  // namespace vcam::launcher
