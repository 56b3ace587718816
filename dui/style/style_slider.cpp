#include "dui/style/style_slider.h"

#include "dui/core/attribute_names.h"
#include "dui/skin/texture_drawing.h"
#include "dui/style/placement.h"
#include "dui/style/slider_parts.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

void Style_Slider::Draw(Painter& painter, const Rect& rect, Control& control) {
  const auto* slider = dynamic_cast<const SliderParts*>(&control);
  const Rect thumb = slider ? slider->ThumbRect().offset(rect.left, rect.top) : Rect{};
  // Bar and track are as high as their images, centred vertically; the track
  // ends under the middle of the thumb.
  if (const Texture* bar = AttributeImage(*this, attr::barSkin))
    DrawSliced(painter, bar, VerticalBand(rect, rect.left, rect.right, bar->height()), *this, attr::scaleGrid);
  if (!slider) return;
  if (const Texture* track = AttributeImage(*this, attr::trackSkin)) {
    const std::int32_t centre = thumb.left + thumb.width() / 2;
    DrawSliced(painter, track, VerticalBand(rect, rect.left, centre, track->height()), *this, attr::scaleGrid);
  }
  const PropertyKey key = control.HasFlag(ControlFlags::Pressed)   ? attr::thumbDownSkin
                          : control.HasFlag(ControlFlags::Checked) ? attr::thumbOverSkin
                                                                   : attr::thumbUpSkin;
  if (const Texture* skin = AttributeImage(*this, key)) DrawStretched(painter, *skin, thumb);
}

}  // namespace vcam::dui
