#pragma once
#include <cstdint>

#include "dui/style/slider_parts.h"

namespace vcam::dui {

// Element "Slider": a value from 0 to a maximum chosen with a thumb. Vertical
// when "orientation" is present and not "horizontal". The style ("style", else
// "slider.xml") supplies the thumb image through "thumbUpSkin". While the
// cursor is over the thumb the slider carries Checked (the style's thumb hover).
class Slider : public SliderParts {
 public:
  Slider();

  void Paint(Painter& painter, const Rect& rect, const Rect& clip) override;
  Size MeasureOverride(std::int32_t width, std::int32_t height) override;
  Rect ThumbRect() const override;

  // Clamps to [0, maximum]; a new value is stored, raised as ValueChange
  // (Direct) and repainted. False when the value stayed.
  bool SetValue(std::int32_t v);
  std::int32_t value() const { return value_; }
  std::int32_t maximum() const { return maximum_; }
  // Takes effect at the next SetValue (the value is not re-clamped).
  void set_maximum(std::int32_t maximum) { maximum_ = maximum; }

  bool IsVertical() const;
  // The value under a point in the slider's own coordinates (not clamped).
  std::int32_t ValueAt(Point p) const;

 private:
  // The thumb image's size; 0 x 0 without a style or image.
  Size ThumbSize() const;

  static void OnLButtonDown(void* context, Control* sender, EventArgs& args);
  static void OnMouseMove(void* context, Control* sender, EventArgs& args);
  static void OnMouseLeave(void* context, Control* sender, EventArgs& args);
  static void OnMouseWheel(void* context, Control* sender, EventArgs& args);

  std::int32_t value_ = -1;
  std::int32_t maximum_ = 100;
};

}  // namespace vcam::dui
