#include "dui/style/style_drawing.h"

#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture_drawing.h"

namespace vcam::dui {

Texture* AttributeImage(const Object& object, PropertyKey key) {
  const std::u16string* name = object.FindString(key);
  UiRuntime* runtime = UiRuntime::Instance();
  return name && runtime ? runtime->GetImage(*name) : nullptr;
}

Size ImageSize(const Texture* texture) { return texture ? Size{texture->width(), texture->height()} : Size{}; }

FontHandle ControlFont(const Control& control) {
  const std::u16string* name = control.FindString(attr::font);
  UiRuntime* runtime = UiRuntime::Instance();
  return runtime ? runtime->GetFont(name ? std::u16string_view(*name) : u"Default") : nullptr;
}

void DrawSkin(Painter& painter, const Texture* texture, const Rect& r, const Object& style, PropertyKey grid) {
  if (!texture) return;
  Rect borders;
  if (style.FindRect(grid, &borders))
    DrawNineSlice(painter, *texture, r, borders);
  else
    DrawStretched(painter, *texture, r);
}

void DrawSliced(Painter& painter, const Texture* texture, const Rect& r, const Object& style, PropertyKey grid) {
  if (texture) DrawNineSlice(painter, *texture, r, style.GetRect(grid));
}

PropertyKey StateSkinKey(std::uint32_t flags) {
  if (!(flags & ControlFlags::Enabled)) return attr::disabledSkin;
  if (flags & (ControlFlags::Pressed | ControlFlags::Checked)) return attr::downSkin;
  if (flags & (ControlFlags::Focused | ControlFlags::Hover)) return attr::overSkin;
  return attr::upSkin;
}

PropertyKey CheckedStateKey(std::uint32_t flags, const CheckedStateKeys& keys) {
  const PropertyKey* set = (flags & ControlFlags::Checked) ? keys.checked : keys.plain;
  if (!(flags & ControlFlags::Enabled)) return set[0];
  if (flags & ControlFlags::Pressed) return set[1];
  if (flags & ControlFlags::Hover) return set[2];
  return set[3];
}

}  // namespace vcam::dui
