#include "dui/controls/button.h"

namespace vcam::dui {

Button::Button() {
  SetFlag(ControlFlags::ButtonSet, true);
  AddHandler(EventKind::LButtonUp, nullptr, &DetectClick);
}

void Button::DetectClick(void*, Control* sender, EventArgs& args) {
  if (!sender->HasFlag(ControlFlags::Pressed)) return;
  const Point p = sender->GetCursorPosition();
  const Rect r = sender->rect();
  // Posted rather than raised, so that Click handlers run after the window has
  // finished with the release (capture dropped, hover worked out again).
  if (p.x >= 0 && p.y >= 0 && p.x < r.width() && p.y < r.height())
    sender->PostEvent(EventArgs{EventKind::Click, Routing::Direct, 0, 0, 0});
  args.handled = 1;
}

void Button::ToggleOnClick(void*, Control* sender, EventArgs&) {
  sender->SetFlag(ControlFlags::Checked, !sender->HasFlag(ControlFlags::Checked));
  AnnounceValueChange(*sender);
}

void Button::AnnounceValueChange(Control& control) {
  // The repaint is only queued, so asking first changes nothing on screen; it
  // keeps the control untouched after handlers that might destroy it.
  control.Invalidate(false);
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  control.RaiseEvent(changed);
}

}  // namespace vcam::dui
