#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Element "TabControl": a strip of TabItems and the selected item's page (not yet: it neither selects nor shows pages).
class TabControl : public Panel {
 public:
  TabControl() = default;
};

}  // namespace vcam::dui
