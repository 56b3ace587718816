#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Children docked to the edges in order; the last child fills what remains.
class DockPanel : public Panel {
 public:
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
