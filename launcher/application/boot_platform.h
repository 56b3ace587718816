#pragma once
// What the boot sequence needs from the process: the guards and set-up, the
// stale-process sweep, shutting the infrastructure down, the message box,
// the client module and the relaunch.
#include <string>
#include <string_view>

#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"

namespace vcam::launcher {

struct client_outcome {
  enum kind_t { returned_false, returned_true, not_loaded, entry_missing } kind;
  unsigned long error = 0;  // the system error of a module that did not load
};

class boot_platform {
 public:
  // Guards, logging, folders, task runner, message window, UI runtime,
  // skins and layout pack; false refuses the start.
  virtual bool initialize(std::u16string_view command_line) = 0;
  virtual std::u16string current_version() = 0;
  virtual std::u16string latest_version() = 0;
  virtual void stop_stale_processes() = 0;
  // UI runtime, task runner and message window; the splash stays.
  virtual void shut_down_infrastructure() = 0;
  virtual void show_message(std::u16string_view text) = 0;
  virtual client_outcome call_client(const ClientStartupBlock& block, splash_window_interface& splash) = 0;
  virtual void relaunch() = 0;

 protected:
  ~boot_platform() = default;
};

}  // namespace vcam::launcher
