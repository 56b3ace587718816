#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Children at their "x" / "y" (negative: from the right / bottom edge) at their desired size.
class Canvas : public Panel {
 public:
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
