#pragma once
#include "dui/core/panel.h"

namespace vcam::dui {

// Children flow left to right and wrap into rows.
class WrapPanel : public Panel {
 public:
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Size ArrangeOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
