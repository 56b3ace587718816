#include "dui/controls/progress_bar.h"

#include <algorithm>

#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture_drawing.h"

namespace vcam::dui {

namespace {

// Nine-slice when the bar has the grid attribute, else stretched.
void DrawSkin(Painter& painter, const Texture& image, const Rect& dst, const Control& bar, PropertyKey grid_key) {
  Rect grid;
  if (bar.FindRect(grid_key, &grid))
    DrawNineSlice(painter, image, dst, grid);
  else
    DrawStretched(painter, image, dst);
}

}  // namespace

std::int32_t ProgressBar::FillWidth(std::int32_t position, std::int32_t range, std::int32_t inner_width,
                                    bool integer) {
  if (range == 0 || position == 0 || inner_width <= 0) return 0;
  if (integer) {
    // 64 bits so that a large position cannot overflow; the result is the same
    // as 32-bit arithmetic wherever that does not overflow.
    const std::int64_t fill = static_cast<std::int64_t>(inner_width) * position / range;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(fill, 0, inner_width));
  }
  // Every operand and step goes through a volatile float so that it is rounded
  // to single precision even where the compiler keeps floats in wider x87
  // registers (which would make the 32-bit build fill differently).
  volatile float p = static_cast<float>(position);
  volatile float w = static_cast<float>(inner_width);
  volatile float r = static_cast<float>(range);
  volatile float product = p * w;
  volatile float fill = product / r;
  // Clamped before the conversion: a float beyond the int range has no
  // defined conversion, and the fill must stay inside the inner rectangle.
  const float clamped = std::clamp(static_cast<float>(fill), 0.0f, static_cast<float>(inner_width));
  return static_cast<std::int32_t>(clamped);
}

void ProgressBar::Paint(Painter& painter, const Rect& rect, const Rect&) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return;
  // 1. The background over the whole bar.
  if (const std::u16string* name = FindString(attr::progressbkimg))
    if (const Texture* image = runtime->GetImage(*name)) DrawSkin(painter, *image, rect, *this, attr::progressbkScaleGrid);

  // 2. The fill: the image covers the whole inner rectangle and is clipped to
  //    the filled part, so it is cut rather than squeezed.
  if (range == 0 || position == 0) return;
  const std::u16string* name = FindString(attr::progressimg);
  const Texture* image = name ? runtime->GetImage(*name) : nullptr;
  if (!image) return;
  const Rect margin = GetRect(attr::progressmargin);
  const Rect inner{rect.left + margin.left, rect.top + margin.top, rect.right - margin.right,
                   rect.bottom - margin.bottom};
  if (inner.empty()) return;
  const std::int32_t fill = FillWidth(position, range, inner.width(), runtime->profile().integer_progress_fill);
  if (fill <= 0) return;
  painter.Save();
  painter.IntersectClip({inner.left, inner.top, inner.left + fill, inner.bottom});
  DrawSkin(painter, *image, inner, *this, attr::progressScaleGrid);
  painter.Restore();
}

}  // namespace vcam::dui
