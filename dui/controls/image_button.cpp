#include "dui/controls/image_button.h"

#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture_drawing.h"

namespace vcam::dui {

void ImageButton::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  UiRuntime* runtime = UiRuntime::Instance();
  const std::u16string* name = FindString(attr::img);
  if (runtime && name)
    if (const Texture* image = runtime->GetImage(*name)) DrawStretched(painter, *image, rect);
  Button::Paint(painter, rect, clip);
}

}  // namespace vcam::dui
