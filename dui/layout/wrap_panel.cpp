#include "dui/layout/wrap_panel.h"

#include <algorithm>

#include "dui/layout/unbounded.h"

namespace vcam::dui {

namespace {

// Children with no extent take no place in the flow.
bool Skipped(const Size& d) { return d.cx == 0 || d.cy == 0; }

}  // namespace

Size WrapPanel::MeasureOverride(std::int32_t width, std::int32_t) {
  // 1. Measure each child with the panel's width and no height limit.
  // 2. Flow: a child that would end beyond the width opens a new row unless
  //    the row is empty; a row is as tall as its tallest child.
  std::int32_t x = 0, row_height = 0, total = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->Measure(width, kUnbounded);
    if (Skipped(d)) continue;
    if (x > 0 && x + d.cx > width) {
      total += row_height;
      x = 0;
      row_height = 0;
    }
    x += d.cx;
    row_height = std::max(row_height, d.cy);
  }
  return {width, total + row_height};
}

Size WrapPanel::ArrangeOverride(std::int32_t width, std::int32_t height) {
  // The same flow as measuring, placing each child at its desired size.
  std::int32_t x = 0, row_top = 0, row_height = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->desired();
    if (Skipped(d)) {
      c->Arrange(0, 0, 0, 0);
      continue;
    }
    if (x > 0 && x + d.cx > width) {
      row_top += row_height;
      x = 0;
      row_height = 0;
    }
    c->Arrange(x, row_top, x + d.cx, row_top + d.cy);
    x += d.cx;
    row_height = std::max(row_height, d.cy);
  }
  return {width, height};
}

}  // namespace vcam::dui
