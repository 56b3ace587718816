#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Element "ScrollPanel": scrolls its first child vertically.
class ScrollPanel : public Panel {
 public:
  ScrollPanel() = default;
};

}  // namespace vcam::dui
