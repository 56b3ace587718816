#pragma once
// A skin file's drawing rule: its property lists hold the skin attributes of
// one style file; the control supplies text, icon and font.
#include "dui/core/geometry.h"
#include "dui/core/object.h"

namespace vcam::dui {

class Control;
class Painter;

class Style : public Object {
 public:
  // Skin class "Style": the skin of the control's state ("disabledSkin",
  // "downSkin", "overSkin", "upSkin") over rect, nine-slice with "scaleGrid".
  virtual void Draw(Painter& painter, const Rect& rect, Control& control);
};

}  // namespace vcam::dui
