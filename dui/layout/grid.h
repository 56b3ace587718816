#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Children overlap, each in the whole panel (also the element "Window").
class Grid : public Panel {
 public:
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
