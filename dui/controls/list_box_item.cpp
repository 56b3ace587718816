#include "dui/controls/list_box_item.h"

#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"

namespace vcam::dui {

ListBoxItem::ListBoxItem() {
  SetFlag(ControlFlags::HitTransparent, false);
  SetFlag(ControlFlags::RedrawOnState, true);
}

void ListBoxItem::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  if (FindString(attr::style)) {
    Control::Paint(painter, rect, clip);
  } else if (HasFlag(ControlFlags::Checked)) {
    painter.FillRect(rect, kSelectedColour);
  } else if (HasFlag(ControlFlags::Hover)) {
    painter.FillRect(rect, kHoverColour);
  }
  Label::Paint(painter, rect, clip);
}

}  // namespace vcam::dui
