#include "launcher/application/win/show_message.h"

#include <windows.h>

#include "common/win/wide.h"
#include "launcher/application/launcher_texts.h"
#include "launcher/application/win/application.h"

namespace vcam::launcher {

std::u16string version_caption() {
  const application* app = application::instance();
  return kVersionCaptionPrefix + (app ? app->current_version() : std::u16string(kProductVersion));
}

void ShowMessage(std::u16string_view text) {
  const std::u16string body(text);
  ::MessageBoxW(nullptr, wide(body), wide(version_caption()), MB_TOPMOST);
}

}  // namespace vcam::launcher
