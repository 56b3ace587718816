#pragma once
#include "dui/core/control.h"

namespace vcam::dui {

class Texture;

// Element "Image": draws its "src" image stretched over its rectangle; has no style.
class Drawing : public Control {
 public:
  Drawing() = default;

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  // The image's own size; (0, 0) without "src" or image.
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;

 private:
  const Texture* Image() const;
};

}  // namespace vcam::dui
