#pragma once
// The client module's handle on the launcher's single splash.
#include "launcher/application/splash_window_interface.h"

namespace vcam::launcher {

class splash_window_impl : public splash_window_interface {
 public:
  splash_window_impl() = default;
  virtual ~splash_window_impl() = default;

  void show_text(const char16_t* text) override;
  void hide(bool destroy) override;
};

}  // namespace vcam::launcher
