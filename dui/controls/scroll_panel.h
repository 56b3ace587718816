#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Element "ScrollPanel": scrolls its first child vertically (not yet: it lays its children out as a plain panel).
class ScrollPanel : public Panel {
 public:
  ScrollPanel() = default;
};

}  // namespace vcam::dui
