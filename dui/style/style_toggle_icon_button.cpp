#include "dui/style/style_toggle_icon_button.h"

#include "dui/core/attribute_names.h"
#include "dui/core/control.h"
#include "dui/style/icon_text.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

// Checked and Focused play no part in the background.
PropertyKey BackgroundKey(std::uint32_t flags) {
  if (!(flags & ControlFlags::Enabled)) return attr::disabledSkin;
  if (flags & ControlFlags::Pressed) return attr::downSkin;
  if (flags & ControlFlags::Hover) return attr::overSkin;
  return attr::upSkin;
}

}  // namespace

void Style_ToggleIconButton::Draw(Painter& painter, const Rect& rect, Control& control) {
  DrawSkin(painter, AttributeImage(*this, BackgroundKey(control.flags())), rect, *this, attr::scaleGrid);
  const bool off = control.HasFlag(ControlFlags::Checked);
  const std::u16string* text = control.FindString(off ? attr::offText : attr::text);
  DrawIconAndText(painter, rect, *this, control, AttributeImage(control, off ? attr::offIcon : attr::icon),
                  text ? std::u16string_view(*text) : std::u16string_view());
}

}  // namespace vcam::dui
