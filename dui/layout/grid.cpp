#include "dui/layout/grid.h"

#include <algorithm>

namespace vcam::dui {

// "rows" and "columns" are stored on the grid but take no part in layout.
Size Grid::MeasureOverride(std::int32_t width, std::int32_t height) {
  Size size;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->Measure(width, height);
    size.cx = std::max(size.cx, d.cx);
    size.cy = std::max(size.cy, d.cy);
  }
  return size;
}

Size Grid::ArrangeOverride(std::int32_t width, std::int32_t height) {
  for (Control* c = first_child(); c; c = c->next()) c->Arrange(0, 0, width, height);
  return {width, height};
}

}  // namespace vcam::dui
