#include "dui/layout/dock_panel.h"

#include <algorithm>

#include "dui/core/attribute_names.h"

namespace vcam::dui {

Size DockPanel::MeasureOverride(std::int32_t width, std::int32_t height) {
  // 1. Measure each child in the space the earlier ones left; docking left or
  //    right consumes width, top or bottom height; other keywords nothing.
  // 2. The panel needs the consumed extent or the tallest / widest side stack.
  std::int32_t used_w = 0, used_h = 0, min_w = 0, min_h = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->Measure(std::max(0, width - used_w), std::max(0, height - used_h));
    switch (c->GetKeyword(attr::dock, Keyword::Left)) {
      case Keyword::Left:
      case Keyword::Right:
        min_h = std::max(min_h, used_h + d.cy);
        used_w += d.cx;
        break;
      case Keyword::Top:
      case Keyword::Bottom:
        min_w = std::max(min_w, used_w + d.cx);
        used_h += d.cy;
        break;
      default:
        break;
    }
  }
  return {std::max(min_w, used_w), std::max(min_h, used_h)};
}

Size DockPanel::ArrangeOverride(std::int32_t width, std::int32_t height) {
  // 1. Every child but the last takes a strip from its side; any keyword other
  //    than left, top and right docks to the bottom.
  // 2. The last child fills what remains, whatever its dock.
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->desired();
    if (c == last_child()) {
      c->Arrange(left, top, width - right, height - bottom);
      break;
    }
    switch (c->GetKeyword(attr::dock, Keyword::Left)) {
      case Keyword::Left:
        c->Arrange(left, top, left + d.cx, height - bottom);
        left += d.cx;
        break;
      case Keyword::Top:
        c->Arrange(left, top, width - right, top + d.cy);
        top += d.cy;
        break;
      case Keyword::Right: {
        right += d.cx;
        const std::int32_t x = std::max(left, width - right);
        c->Arrange(x, top, x + d.cx, height - bottom);
        break;
      }
      default: {
        bottom += d.cy;
        const std::int32_t y = std::max(top, height - bottom);
        c->Arrange(left, y, width - right, y + d.cy);
        break;
      }
    }
  }
  return {width, height};
}

}  // namespace vcam::dui
