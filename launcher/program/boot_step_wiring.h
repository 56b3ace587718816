#pragma once
// The steps the boot sequence calls, as this program provides them today:
// the configuration is the real one (server, else the local copy); the update
// check, the decoder synchronisation and the splash window are plugged in
// here as their Windows parts land, and until then report "no update",
// "decoders up to date" and show no splash.
#include <string>

#include "launcher/application/boot_sequence.h"
#include "launcher/application/win/application.h"

namespace vcam::launcher {

class boot_step_wiring : configuration_step, update_step, decoder_step, splash_port, splash_window_interface {
 public:
  explicit boot_step_wiring(application& app) : app_(app) {}
  boot_steps steps() { return {*this, *this, *this, *this}; }

 private:
  // configuration_step
  bool load(ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) override;
  std::u16string url() override;
  // update_step
  bool check(const std::string&, bool& mandatory) override {
    mandatory = false;
    return false;
  }
  void start_patcher() override {}
  // decoder_step
  bool synchronise(const std::string&, std::u16string&) override { return true; }
  // splash_port and the client's view of it
  void show_text(const char16_t*) override {}
  void hide(bool) override {}
  splash_window_interface& client_interface() override { return *this; }

  std::string base_url() const;

  application& app_;
};

}  // namespace vcam::launcher
