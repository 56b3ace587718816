#pragma once
// A framework window with a drop shadow: a shadowed_proxy_window, owned by
// this window, that stays 20/14/16/21 pixels larger around it and follows its
// moves, sizes and show/hide.
#include "dui/win/window_impl.h"

namespace vcam::launcher {

class shadowed_window : public dui::WindowImpl {
 public:
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The shadow window; null before WM_CREATE or when it could not be made.
  HWND shadow() const { return shadow_; }

 protected:
  // The window host's own WM_CREATE work (attach and size the root, which a
  // derived window sets first), then the shadow, created and placed.
  void create_shadow();
  void place_shadow();

 private:
  // The proxy object deletes itself with its window, which goes with ours.
  HWND shadow_ = nullptr;
};

}  // namespace vcam::launcher
