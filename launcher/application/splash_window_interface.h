#pragma once
// What the client module may do with the launcher's splash while its entry
// runs. The module calls through the vtable, so the slot order and the
// one-argument member calls are fixed; the launcher owns the object.

namespace vcam::launcher {

class splash_window_interface {
 public:
  // Creates and shows the splash if there is none, sets its status text and
  // repaints it before returning. `text` is NUL-terminated UTF-16.
  virtual void show_text(const char16_t* text) = 0;
  // Hides the splash if one exists; `destroy` also destroys it, so that a
  // later show_text creates a new one.
  virtual void hide(bool destroy) = 0;

 protected:
  ~splash_window_interface() = default;
};

// The client module's entry, resolved by the name "_zelovirtual_camera_main".
struct ClientStartupBlock;
using client_entry = bool (*)(const ClientStartupBlock* block, splash_window_interface* splash);

}  // namespace vcam::launcher
