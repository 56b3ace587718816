#include "dui/controls/tab_item.h"

#include <utility>

namespace vcam::dui {

TabItem::TabItem() {
  SetFlag(ControlFlags::CaptureOnPress, false);
  SetFlag(ControlFlags::TabItemMark, true);
}

TabItem::~TabItem() = default;

void TabItem::SetPage(std::unique_ptr<Control> page) { page_ = std::move(page); }

}  // namespace vcam::dui
