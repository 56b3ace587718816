#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Children one after another, vertically unless "orientation" is "horizontal".
class StackPanel : public Panel {
 public:
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
