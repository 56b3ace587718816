#pragma once
// What the network steps (configuration, update check, decoders) take from
// the application object: where the launcher lives, which version it is, the
// splash they hide before a modal window, and where the published version
// goes. The application object fills it; tests fill it themselves.
#include <functional>
#include <string>

#include "launcher/application/splash_window_interface.h"

namespace vcam::launcher {

struct launcher_session {
  std::u16string application_folder;  // ends with a backslash
  std::u16string current_version;
  splash_window_interface* splash = nullptr;  // hidden, not destroyed; may be null
  std::function<void(const std::u16string& version)> set_latest_version;

  void hide_splash() const {
    if (splash) splash->hide(false);
  }
};

}  // namespace vcam::launcher
