#include "dui/controls/drawing.h"

#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture.h"
#include "dui/skin/texture_drawing.h"

namespace vcam::dui {

const Texture* Drawing::Image() const {
  const std::u16string* name = FindString(attr::src);
  UiRuntime* runtime = UiRuntime::Instance();
  return name && runtime ? runtime->GetImage(*name) : nullptr;
}

void Drawing::Paint(Painter& painter, const Rect& rect, const Rect&) {
  if (const Texture* image = Image()) DrawStretched(painter, *image, rect);
}

Size Drawing::MeasureOverride(std::int32_t, std::int32_t) {
  const Texture* image = Image();
  return image ? Size{image->width(), image->height()} : Size{};
}

}  // namespace vcam::dui
