#include "launcher/windows/shadowed_proxy_window.h"

#include "dui/runtime/ui_runtime.h"

namespace vcam::launcher {

shadowed_proxy_window::shadowed_proxy_window() {
  set_layered(true);
  set_per_pixel_alpha(true);
  if (dui::UiRuntime* runtime = dui::UiRuntime::Instance()) SetRoot(runtime->LoadLayout(u"proxywindow.xml"));
}

}  // namespace vcam::launcher
