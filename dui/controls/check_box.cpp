#include "dui/controls/check_box.h"

#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

CheckBox::CheckBox() { AddHandler(EventKind::Click, nullptr, &ToggleOnClick); }

void CheckBox::Paint(Painter& painter, const Rect& rect, const Rect&) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return;
  if (Style* style = runtime->GetStyle(u"checkbox.xml")) style->Draw(painter, rect, *this);
}

}  // namespace vcam::dui
