#pragma once
// The steps the boot sequence calls but does not own, each behind a small
// interface so that the sequence runs with whatever implements them: the
// configuration, the update check, the decoder files and the splash.
#include <string>

#include "launcher/application/client_startup_block.h"
#include "launcher/application/splash_window_interface.h"

namespace vcam::launcher {

class configuration_step {
 public:
  // Fills the configuration part of `block` and the two URLs; false when
  // neither the remote nor the local configuration is usable.
  virtual bool load(ClientStartupBlock& block, std::string& url_codecs, std::string& url_update) = 0;
  // The remote configuration URL, for the failure message.
  virtual std::u16string url() = 0;

 protected:
  ~configuration_step() = default;
};

class update_step {
 public:
  // True: a verified patcher waits and must be started. False with
  // `mandatory` set: a mandatory update was declined or failed.
  virtual bool check(const std::string& url_update, bool& mandatory) = 0;
  virtual void start_patcher() = 0;

 protected:
  ~update_step() = default;
};

class decoder_step {
 public:
  // Brings the decoder files up to date; false with a text saying why.
  virtual bool synchronise(const std::string& url_codecs, std::u16string& error) = 0;

 protected:
  ~decoder_step() = default;
};

// The launcher's single splash window. The client module drives it through
// the interface it is handed; the sequence only shows texts and hides it.
class splash_port {
 public:
  virtual void show_text(const char16_t* text) = 0;
  virtual void hide(bool destroy) = 0;
  virtual splash_window_interface& client_interface() = 0;

 protected:
  ~splash_port() = default;
};

}  // namespace vcam::launcher
