#pragma once
// The launcher's application object: one per process, created first by the
// entry routine and destroyed last. It holds the single-instance mutex, the
// two versions and whether logging started, and runs the guards and set-up
// of the boot (initialize).
#include <windows.h>

#include <string>
#include <string_view>

#include "common/win/unique_handle.h"

namespace vcam::launcher {

class application {
 public:
  // Both versions "6.0.0.5", OLE initialised; becomes the process-wide object.
  application();
  // Stops the task runner and the message window if they still exist, closes
  // the log, releases the single-instance mutex, uninitialises OLE.
  ~application();
  application(const application&) = delete;
  application& operator=(const application&) = delete;

  static application* instance();

  // The guards (installer, pending restart, single instance), the log and
  // the folder set, the task runner, the message window, the UI runtime, the
  // skins and the layout pack. False refuses the start.
  bool initialize(std::u16string_view command_line);

  const std::u16string& current_version() const { return current_version_; }
  const std::u16string& latest_version() const { return latest_version_; }
  void set_latest_version(std::u16string version) { latest_version_ = std::move(version); }
  bool logging_started() const { return logging_started_; }

  // After the client asked for it: closes the log, releases the mutex so the
  // new copy passes the single-instance guard, and starts the launcher again
  // without arguments.
  void relaunch();

 private:
  void close_log();

  UniqueHandle instance_mutex_;
  std::u16string latest_version_;
  std::u16string current_version_;
  bool logging_started_ = false;
  bool ole_initialized_ = false;
};

}  // namespace vcam::launcher
