#include "dui/style/style_scroll_bar.h"

#include "dui/core/attribute_names.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/placement.h"
#include "dui/style/scroll_bar_parts.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

struct ArrowKeys {
  PropertyKey disabled, down, over, up;
};
constexpr ArrowKeys kUpArrow{attr::upArrowDisabledSkin, attr::upArrowDownSkin, attr::upArrowOverSkin,
                             attr::upArrowUpSkin};
constexpr ArrowKeys kDownArrow{attr::downArrowDisabledSkin, attr::downArrowDownSkin, attr::downArrowOverSkin,
                               attr::downArrowUpSkin};

PropertyKey ArrowKey(const ArrowKeys& keys, bool enabled, bool pressed, bool hovered) {
  if (!enabled) return keys.disabled;
  if (pressed) return keys.down;
  if (hovered) return keys.over;
  return keys.up;
}

}  // namespace

void Style_ScrollBar::Draw(Painter& painter, const Rect& rect, Control& control) {
  DrawSkin(painter, AttributeImage(*this, attr::barSkin), rect, *this, attr::scaleGrid);
  const auto* bar = dynamic_cast<const ScrollBarParts*>(&control);
  if (!bar) return;
  const bool enabled = control.HasFlag(ControlFlags::Enabled);
  const std::uint32_t pressed = bar->PressedPart(), hovered = bar->HoveredPart();

  auto arrow = [&](const ArrowKeys& keys, std::uint32_t part, const Rect& own) {
    const Texture* skin = AttributeImage(*this, ArrowKey(keys, enabled, pressed == part, hovered == part));
    if (skin) DrawStretched(painter, *skin, own.offset(rect.left, rect.top));
  };
  arrow(kUpArrow, ScrollBarPart::UpArrow, bar->UpArrowRect());
  arrow(kDownArrow, ScrollBarPart::DownArrow, bar->DownArrowRect());
  if (!enabled) return;

  const bool thumb_pressed = pressed == ScrollBarPart::Thumb, thumb_hovered = hovered == ScrollBarPart::Thumb;
  const PropertyKey skin_key = thumb_pressed ? attr::thumbDownSkin : thumb_hovered ? attr::thumbOverSkin : attr::thumbUpSkin;
  const PropertyKey icon_key = thumb_pressed ? attr::thumbDownIcon : thumb_hovered ? attr::thumbOverIcon : attr::thumbUpIcon;
  const Rect thumb = bar->ThumbRect().offset(rect.left, rect.top);
  DrawSliced(painter, AttributeImage(*this, skin_key), thumb, *this, attr::thumbScaleGrid);
  if (const Texture* icon = AttributeImage(*this, icon_key)) {
    const Point at = CentredOn(thumb, ImageSize(icon));
    DrawNatural(painter, *icon, at.x, at.y);
  }
}

}  // namespace vcam::dui
