#pragma once
// What the slider style needs from a slider: where its thumb is. The slider
// control derives from this.
#include "dui/core/control.h"

namespace vcam::dui {

class SliderParts : public Control {
 public:
  // In the slider's own coordinates (origin at its top-left).
  virtual Rect ThumbRect() const = 0;
};

}  // namespace vcam::dui
