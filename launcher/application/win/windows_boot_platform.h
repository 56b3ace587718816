#pragma once
// The boot sequence's platform on Windows, over the application object.
#include "launcher/application/boot_platform.h"
#include "launcher/application/win/application.h"

namespace vcam::launcher {

class windows_boot_platform : public boot_platform {
 public:
  explicit windows_boot_platform(application& app) : app_(app) {}

  bool initialize(std::u16string_view command_line) override { return app_.initialize(command_line); }
  std::u16string current_version() override { return app_.current_version(); }
  std::u16string latest_version() override { return app_.latest_version(); }
  void stop_stale_processes() override;
  void shut_down_infrastructure() override;
  void show_message(std::u16string_view text) override;
  client_outcome call_client(const ClientStartupBlock& block, splash_window_interface& splash) override;
  void relaunch() override { app_.relaunch(); }

 private:
  application& app_;
};

}  // namespace vcam::launcher
