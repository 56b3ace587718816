#pragma once
// Helpers the style classes share: images and fonts named by attributes, and
// the skin that goes with a control's state.
#include <cstdint>

#include "dui/core/control.h"
#include "dui/core/painter.h"
#include "dui/skin/texture.h"

namespace vcam::dui {

// The image the text attribute `key` of `object` names; null when the
// attribute is absent, the image missing or the toolkit not running.
Texture* AttributeImage(const Object& object, PropertyKey key);
// The image's size, 0 x 0 for none.
Size ImageSize(const Texture* texture);

// The font the control's "font" names ("Default" when absent); null (the
// window's current font) when the skin has no such font.
FontHandle ControlFont(const Control& control);

// Over r: nine-slice with the style's rectangle attribute `grid` when it has
// one, stretched otherwise. Nothing for a null texture.
void DrawSkin(Painter& painter, const Texture* texture, const Rect& r, const Object& style, PropertyKey grid);
// Nine-slice with the borders of `grid`, all 0 when the style lacks it.
void DrawSliced(Painter& painter, const Texture* texture, const Rect& r, const Object& style, PropertyKey grid);

// The state skin attribute: no Enabled "disabledSkin"; Pressed or Checked
// "downSkin"; Focused or Hover "overSkin"; else "upSkin".
PropertyKey StateSkinKey(std::uint32_t flags);

// The attributes of a state rule with checked variants, in order disabled,
// down, over, up.
struct CheckedStateKeys {
  PropertyKey plain[4];
  PropertyKey checked[4];
};
// No Enabled: disabled; Pressed: down; Hover: over; else up; the checked
// variant when the control is Checked.
PropertyKey CheckedStateKey(std::uint32_t flags, const CheckedStateKeys& keys);

}  // namespace vcam::dui
