#pragma once
// The update check as a sequence of decisions over the platform steps it
// needs, so that every path (no description, no update, declined, reused or
// downloaded patcher, failed download) runs without a server or a window.
#include <string>

#include "launcher/update/update_offer.h"

namespace vcam::launcher {

class update_port {
 public:
  // A blocking text download with three attempts; false when all failed.
  virtual bool download_text(const std::string& url, std::string& text) = 0;
  virtual std::u16string current_version() = 0;
  // The version as narrow URL text (code page 936 on Windows).
  virtual std::string url_text(const std::u16string& version) = 0;
  virtual void set_latest_version(const std::u16string& version) = 0;
  virtual void hide_splash() = 0;
  // Shows the prompt modally; the alert window's result.
  virtual int show_prompt(const update_prompt& prompt) = 0;
  // file_md5 of the patcher path.
  virtual std::u16string patcher_md5() = 0;
  // Fetches the patcher behind the modal progress window; true when it verified.
  virtual bool download_patcher(const std::string& url, const update_config& config) = 0;
  // The one-button alert with the download failure text.
  virtual void show_download_failure() = 0;

 protected:
  ~update_port() = default;
};

// True: a verified patcher waits at the patcher path and must be started.
// False with `mandatory` set: a mandatory update was declined or failed.
// False with it clear: go on without an update.
bool check_update(const std::string& url_update, const std::string& config_base_url, update_port& port,
                  bool& mandatory);

}  // namespace vcam::launcher
