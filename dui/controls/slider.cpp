#include "dui/controls/slider.h"

#include "dui/controls/slider_geometry.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/style/style.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

Style* SliderStyle(const Control& slider) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return nullptr;
  const std::u16string* name = slider.FindString(attr::style);
  return runtime->GetStyle(name ? std::u16string_view(*name) : std::u16string_view(u"slider.xml"));
}

bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.y >= r.top && p.x < r.right && p.y < r.bottom; }

}  // namespace

Slider::Slider() {
  SetFlag(ControlFlags::WheelInput | ControlFlags::ButtonMark | ControlFlags::CaptureOnPress |
              ControlFlags::RedrawOnState,
          true);
  AddHandler(EventKind::LButtonDown, nullptr, &OnLButtonDown);
  AddHandler(EventKind::MouseMove, nullptr, &OnMouseMove);
  AddHandler(EventKind::MouseLeave, nullptr, &OnMouseLeave);
  AddHandler(EventKind::MouseWheel, nullptr, &OnMouseWheel);
}

void Slider::Paint(Painter& painter, const Rect& rect, const Rect&) {
  if (Style* style = SliderStyle(*this)) style->Draw(painter, rect, *this);
}

Size Slider::MeasureOverride(std::int32_t width, std::int32_t height) {
  const Size thumb = ThumbSize();
  return IsVertical() ? Size{thumb.cx, height} : Size{width, thumb.cy};
}

bool Slider::IsVertical() const { return GetKeyword(attr::orientation, Keyword::Horizontal) != Keyword::Horizontal; }

Size Slider::ThumbSize() const {
  const Style* style = SliderStyle(*this);
  return style ? ImageSize(AttributeImage(*style, attr::thumbUpSkin)) : Size{};
}

Rect Slider::ThumbRect() const {
  const Size thumb = ThumbSize();
  const Rect& r = rect();
  if (IsVertical()) {
    const std::int32_t top = SliderThumbOffset(value_, r.height(), thumb.cy, maximum_);
    const std::int32_t left = (r.width() - thumb.cx) / 2;
    return {left, top, left + thumb.cx, top + thumb.cy};
  }
  const std::int32_t left = SliderThumbOffset(value_, r.width(), thumb.cx, maximum_);
  const std::int32_t top = (r.height() - thumb.cy) / 2;
  return {left, top, left + thumb.cx, top + thumb.cy};
}

std::int32_t Slider::ValueAt(Point p) const {
  const Size thumb = ThumbSize();
  return IsVertical() ? SliderValueAt(p.y, rect().height(), thumb.cy, maximum_)
                      : SliderValueAt(p.x, rect().width(), thumb.cx, maximum_);
}

bool Slider::SetValue(std::int32_t v) {
  v = ClampSliderValue(v, maximum_);
  if (v == value_) return false;
  value_ = v;
  // The repaint is only queued, so asking first changes nothing on screen; it
  // keeps the slider untouched after handlers that might destroy it.
  Invalidate(false);
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  RaiseEvent(changed);
  return true;
}

void Slider::OnLButtonDown(void*, Control* sender, EventArgs& args) {
  auto* slider = static_cast<Slider*>(sender);
  slider->SetValue(slider->ValueAt(slider->GetCursorPosition()));
  args.handled = 1;
}

void Slider::OnMouseMove(void*, Control* sender, EventArgs&) {
  auto* slider = static_cast<Slider*>(sender);
  const Point p = slider->GetCursorPosition();
  if (slider->HasFlag(ControlFlags::Pressed)) {
    slider->SetValue(slider->ValueAt(p));
    return;
  }
  const bool over = Contains(slider->ThumbRect(), p);
  if (over == slider->HasFlag(ControlFlags::Checked)) return;
  slider->SetFlag(ControlFlags::Checked, over);
  slider->Invalidate(false);
}

void Slider::OnMouseLeave(void*, Control* sender, EventArgs&) {
  if (!sender->HasFlag(ControlFlags::Checked)) return;
  sender->SetFlag(ControlFlags::Checked, false);
  sender->Invalidate(false);
}

void Slider::OnMouseWheel(void*, Control* sender, EventArgs& args) {
  auto* slider = static_cast<Slider*>(sender);
  args.handled = 1;
  ControlHost* window = slider->IsLive() ? slider->window() : nullptr;
  // Two steps a notch.
  slider->SetValue(slider->value_ + WheelDelta(args.param1) / 60);
  // The thumb moved under the cursor: hover is worked out again. The window is
  // taken first because a ValueChange handler may have destroyed the slider.
  if (window) window->PostMouseMoveAtCursor();
}

}  // namespace vcam::dui
