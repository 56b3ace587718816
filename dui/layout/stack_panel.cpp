#include "dui/layout/stack_panel.h"

#include <algorithm>

#include "dui/core/attribute_names.h"
#include "dui/layout/unbounded.h"

namespace vcam::dui {

namespace {

bool IsHorizontal(const Control& c) {
  return c.GetKeyword(attr::orientation, Keyword::Vertical) == Keyword::Horizontal;
}

}  // namespace

Size StackPanel::MeasureOverride(std::int32_t width, std::int32_t height) {
  const bool horizontal = IsHorizontal(*this);
  Size total;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = horizontal ? c->Measure(kUnbounded, height) : c->Measure(width, kUnbounded);
    if (horizontal) {
      total.cx += d.cx;
      total.cy = std::max(total.cy, d.cy);
    } else {
      total.cx = std::max(total.cx, d.cx);
      total.cy += d.cy;
    }
  }
  return total;
}

// Children are not clipped to the panel: the last ones may end beyond it.
Size StackPanel::ArrangeOverride(std::int32_t width, std::int32_t height) {
  const bool horizontal = IsHorizontal(*this);
  std::int32_t offset = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    if (horizontal) {
      c->Arrange(offset, 0, offset + c->desired().cx, height);
      offset += c->desired().cx;
    } else {
      c->Arrange(0, offset, width, offset + c->desired().cy);
      offset += c->desired().cy;
    }
  }
  return {width, height};
}

}  // namespace vcam::dui
