#include "dui/layout/canvas.h"

#include "dui/core/attribute_names.h"
#include "dui/layout/unbounded.h"

namespace vcam::dui {

Size Canvas::MeasureOverride(std::int32_t, std::int32_t) {
  for (Control* c = first_child(); c; c = c->next()) c->Measure(kUnbounded, kUnbounded);
  return {};
}

Size Canvas::ArrangeOverride(std::int32_t width, std::int32_t height) {
  for (Control* c = first_child(); c; c = c->next()) {
    std::int32_t x = c->GetInt(attr::x, 0);
    std::int32_t y = c->GetInt(attr::y, 0);
    if (x < 0) x += width;
    if (y < 0) y += height;
    c->Arrange(x, y, x + c->desired().cx, y + c->desired().cy);
  }
  return {width, height};
}

}  // namespace vcam::dui
