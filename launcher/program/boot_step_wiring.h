#pragma once
// The steps the boot sequence calls, as this program provides them: the
// configuration (server in effect, else the local copy), the update check
// with the patcher hand-over, the decoder synchronisation, and the single
// splash window, which the client module drives afterwards.
#include <string>

#include "launcher/application/boot_sequence.h"
#include "launcher/application/win/application.h"
#include "launcher/remote/launcher_session.h"
#include "launcher/windows/splash_window_impl.h"

namespace vcam::launcher {

class boot_step_wiring : configuration_step, update_step, decoder_step, splash_port {
 public:
  explicit boot_step_wiring(application& app) : app_(app) {}
  boot_steps steps() { return {*this, *this, *this, *this}; }

 private:
  // configuration_step
  bool load(ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) override;
  std::u16string url() override;
  // update_step
  bool check(const std::string& url_update, bool& mandatory) override;
  void start_patcher() override;
  // decoder_step
  bool synchronise(const std::string& url_codecs, std::u16string& error) override;
  // splash_port
  void show_text(const char16_t* text) override { splash_.show_text(text); }
  void hide(bool destroy) override { splash_.hide(destroy); }
  splash_window_interface& client_interface() override { return splash_; }

  // Filled on first use: the application folder is the data folder, whose
  // first request creates the folder set, which must wait for the guards.
  const launcher_session& session();

  application& app_;
  splash_window_impl splash_;
  launcher_session session_;
  bool session_filled_ = false;
};

}  // namespace vcam::launcher
