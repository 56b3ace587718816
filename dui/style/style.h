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
  // The skin drawing of each style class comes with the Windows drawing code;
  // until it is linked in, a style draws nothing.
  virtual void Draw(Painter& painter, const Rect& rect, Control& control);
};

}  // namespace vcam::dui
