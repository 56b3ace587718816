#include "dui/win/ui_runtime_win.h"

#include <memory>

#include "dui/win/win_platform.h"

namespace vcam::dui {

bool Initialize(const std::u16string& application_name) {
  return Initialize(application_name, std::make_unique<WinPlatform>());
}

}  // namespace vcam::dui
