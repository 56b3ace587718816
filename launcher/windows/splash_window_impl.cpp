#include "launcher/windows/splash_window_impl.h"

#include <string_view>

#include "launcher/windows/splash_window.h"

namespace vcam::launcher {

void splash_window_impl::show_text(const char16_t* text) {
  SplashWindow::show_text(text ? std::u16string_view(text) : std::u16string_view());
}

void splash_window_impl::hide(bool destroy) { SplashWindow::hide(destroy); }

}  // namespace vcam::launcher
