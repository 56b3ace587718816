#pragma once
// The drop shadow of a dialog: a layered window with per-pixel alpha that
// only paints the shadow artwork of "proxywindow.xml". Its owner creates it,
// places it and destroys it with itself.
#include "dui/win/window_impl.h"

namespace vcam::launcher {

class shadowed_proxy_window : public dui::WindowImpl {
 public:
  shadowed_proxy_window();
};

}  // namespace vcam::launcher
