#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

// Element "Label": one line of text inside its "padding", aligned by
// "textAlign", in "color" and "font"; never hit, and without a style.
class Label : public Control {
 public:
  Label() { SetFlag(ControlFlags::HitTransparent, true); }

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  // The text's extent in the label's font plus the padding.
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
};

}  // namespace vcam::dui
