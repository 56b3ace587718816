#include "dui/controls/title_bar.h"

#include "dui/core/control_host.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

TitleBar::TitleBar() { AddHandler(EventKind::LButtonDown, nullptr, &BeginWindowDrag); }

void TitleBar::BeginWindowDrag(void*, Control* sender, EventArgs&) {
  ControlHost* window = sender->window();
  UiRuntime* runtime = UiRuntime::Instance();
  if (!window || !runtime) return;
  if (void* native = window->NativeHandle()) runtime->platform().SendSystemCommand(native, kMoveByCaption);
}

}  // namespace vcam::dui
