#include "dui/controls/radio_button.h"

#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

RadioButton::RadioButton() { AddHandler(EventKind::Click, nullptr, &SelectOnClick); }

void RadioButton::SelectOnClick(void*, Control* sender, EventArgs&) {
  if (sender->HasFlag(ControlFlags::Checked)) return;
  sender->SetFlag(ControlFlags::Checked, true);
  AnnounceValueChange(*sender);
}

void RadioButton::Paint(Painter& painter, const Rect& rect, const Rect&) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return;
  if (Style* style = runtime->GetStyle(u"radiobutton.xml")) style->Draw(painter, rect, *this);
}

}  // namespace vcam::dui
