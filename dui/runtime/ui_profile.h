#pragma once
// What differs between the applications that run the toolkit: names of the
// window classes, message numbers and arithmetic choices. One profile is
// chosen at Initialize and stays for the life of the runtime.
#include <cstdint>
#include <string>

namespace vcam::dui {

struct UiProfile {
  // The framework window class; empty: the application name.
  std::u16string window_class;
  // The window host's repaint request (WM_USER + 4).
  std::uint32_t repaint_message = 0x0400 + 4;
  // The dispatcher window's class; empty: the application name + "_Dispatcher".
  std::u16string dispatcher_class;
  // The message that carries a posted call to the dispatcher (WM_USER + 2).
  std::uint32_t dispatch_message = 0x0400 + 2;
  // The progress bar's fill width in 32-bit integers instead of single precision.
  bool integer_progress_fill = false;

  // The launcher's choices (the defaults above).
  static const UiProfile& Launcher();
};

}  // namespace vcam::dui
