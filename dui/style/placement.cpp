#include "dui/style/placement.h"

#include "dui/skin/label_text.h"

namespace vcam::dui {

IconTextLayout PlaceIconAndText(const Rect& r, Size icon, Size text, std::int32_t gap, TextPlacement placement) {
  const std::int32_t L = r.left, T = r.top, R = r.right, B = r.bottom;
  switch (placement) {
    case TextPlacement::Left: {
      const std::int32_t x0 = (R + L - gap - text.cx - icon.cx) / 2;
      return {{x0 + text.cx + gap, (T + B - icon.cy) / 2}, {x0, T, x0 + text.cx, B}, LabelFormat::Check};
    }
    case TextPlacement::Bottom: {
      const std::int32_t y0 = (B + T - gap - text.cy - icon.cy) / 2;
      return {{(R + L - icon.cx) / 2, y0},
              {L, y0 + icon.cy + gap, R, B},
              TextFormat::Center | TextFormat::SingleLine};
    }
    case TextPlacement::Right:
      break;
  }
  const std::int32_t x0 = (R + L - gap - text.cx - icon.cx) / 2;
  return {{x0, (T + B - icon.cy) / 2}, {x0 + icon.cx + gap, T, R, B}, LabelFormat::Check};
}

Point CheckIconPosition(const Rect& r, Size icon) { return {r.left + 2, r.top + (r.height() - icon.cy) / 2}; }

Rect CheckTextRect(const Rect& r, Size icon, std::int32_t gap) {
  return {r.left + 2 + icon.cx + gap, r.top, r.right, r.bottom};
}

Point CentredOn(const Rect& r, Size size) {
  return {r.left + (r.width() - size.cx) / 2, r.top + (r.height() - size.cy) / 2};
}

Rect VerticalBand(const Rect& r, std::int32_t left, std::int32_t right, std::int32_t height) {
  const std::int32_t top = r.top + (r.height() - height) / 2;
  return {left, top, right, top + height};
}

ComboLayout PlaceCombo(const Rect& r, Size drop) {
  const std::int32_t x = r.right - drop.cx;
  return {{x, r.top + (r.height() - drop.cy) / 2}, {r.left + 12, r.top, x - 2, r.bottom}};
}

}  // namespace vcam::dui
