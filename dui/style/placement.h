#pragma once
// Where the styles put icons and text inside a control's rectangle. All
// divisions are integer divisions (towards zero).
#include <cstdint>

#include "dui/core/geometry.h"

namespace vcam::dui {

// "textPlacement": the text's side of the icon.
enum class TextPlacement { Right, Left, Bottom };

struct IconTextLayout {
  Point icon;                  // top-left of the icon at its own size
  Rect text;
  std::uint32_t text_format;   // DrawTextW format for the text rectangle
};

// Icon of size `icon` and text measured as `text`, `gap` pixels apart,
// centred together in r.
IconTextLayout PlaceIconAndText(const Rect& r, Size icon, Size text, std::int32_t gap, TextPlacement placement);

// Check buttons: the icon 2 pixels inside the left edge, vertically centred;
// the text from `gap` pixels after the icon to the right edge.
Point CheckIconPosition(const Rect& r, Size icon);
Rect CheckTextRect(const Rect& r, Size icon, std::int32_t gap);

// A size centred on r (its top-left).
Point CentredOn(const Rect& r, Size size);

// A band from x `left` to x `right`, `height` high, centred vertically in r.
Rect VerticalBand(const Rect& r, std::int32_t left, std::int32_t right, std::int32_t height);

// Combo boxes: the drop button at the right edge, vertically centred, and the
// text from 12 pixels inside the left edge to 2 pixels before the button.
struct ComboLayout {
  Point drop;
  Rect text;
};
ComboLayout PlaceCombo(const Rect& r, Size drop);

}  // namespace vcam::dui
