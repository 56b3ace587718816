#include "dui/controls/scroll_bar.h"

#include "dui/controls/scroll_panel.h"
#include "dui/core/attribute_names.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

constexpr char16_t kDefaultStyle[] = u"vscrollbar.xml";

Style* BarStyle(const Control& bar) {
  UiRuntime* runtime = UiRuntime::Instance();
  if (!runtime) return nullptr;
  const std::u16string* name = bar.FindString(attr::style);
  return runtime->GetStyle(name ? std::u16string_view(*name) : kDefaultStyle);
}

Size ImageSize(const Style* style, PropertyKey key) {
  const Texture* image = style ? AttributeImage(*style, key) : nullptr;
  return image ? Size{image->width(), image->height()} : Size{};
}

}  // namespace

ScrollBar::ScrollBar(bool vertical) : vertical_(vertical) {
  SetFlag(ControlFlags::CaptureOnPress | ControlFlags::RedrawOnState, true);
  AddHandler(EventKind::LButtonDown, this, &OnLButtonDown);
  AddHandler(EventKind::MouseMove, this, &OnMouseMove);
  AddHandler(EventKind::LostCapture, this, &OnLostCapture);
  AddHandler(EventKind::MouseLeave, this, &OnMouseLeave);
}

ScrollBar::~ScrollBar() {
  // The clock must not tick into a bar that is being torn down.
  if (clock_) clock_->Stop();
}

void ScrollBar::Paint(Painter& painter, const Rect& rect, const Rect&) {
  if (Style* style = BarStyle(*this)) style->Draw(painter, rect, *this);
}

Size ScrollBar::ArrangeOverride(std::int32_t width, std::int32_t height) {
  const Style* style = BarStyle(*this);
  layout_ = ScrollBarGeometry::Arrange({width, height}, ImageSize(style, attr::upArrowUpSkin),
                                       ImageSize(style, attr::downArrowUpSkin), vertical_);
  return {width, height};
}

Rect ScrollBar::ThumbRect() const {
  return ScrollBarGeometry::Thumb(layout_, BarSize(), vertical_, range_, page_, position_);
}

std::uint32_t ScrollBar::HitPart(std::int32_t x, std::int32_t y) const {
  return ScrollBarGeometry::HitPart(layout_, ThumbRect(), BarSize(), vertical_, x, y);
}

void ScrollBar::SetPosition(std::int32_t p) {
  if (!IsLive()) {
    if (UiRuntime* runtime = UiRuntime::Instance())
      runtime->platform().DebugMessage(u"ScrollBar::EnsurePosition UnExpected Error.\n");
    return;
  }
  const bool enabled = page_ < range_;
  if (enabled != IsEnabled()) SetEnabled(enabled);
  const std::int32_t clamped = ScrollBarGeometry::Clamp(range_, page_, p);
  if (clamped == position_) return;
  position_ = clamped;
  if (auto* panel = dynamic_cast<ScrollPanel*>(parent())) panel->ScrollContentTo(position_);
  Invalidate();
}

void ScrollBar::OnRepeat() {
  const Point cursor = GetCursorPosition();
  switch (PressedPart()) {
    case ScrollBarPart::UpArrow:
      Notify(ScrollNotify::LineUp);
      break;
    case ScrollBarPart::DownArrow:
      Notify(ScrollNotify::LineDown);
      break;
    case ScrollBarPart::PageUp:
      // The thumb walks towards the cursor; once it has passed, the area under
      // the cursor is no longer the one that was pressed.
      if (HitPart(cursor.x, cursor.y) == ScrollBarPart::PageUp) Notify(ScrollNotify::PageUp);
      break;
    case ScrollBarPart::PageDown:
      if (HitPart(cursor.x, cursor.y) == ScrollBarPart::PageDown) Notify(ScrollNotify::PageDown);
      break;
    default:
      break;
  }
}

void ScrollBar::Notify(std::intptr_t code, std::intptr_t position) {
  EventArgs args{EventKind::Notify, Routing::Direct, code, position, 0};
  RaiseEvent(args);
}

void ScrollBar::StartRepeat() {
  if (!clock_) {
    if (UiRuntime* runtime = UiRuntime::Instance()) clock_ = runtime->platform().CreateScrollTimer(*this);
  }
  if (clock_) clock_->Start();
}

void ScrollBar::StopRepeat() {
  if (clock_) clock_->Stop();
}

void ScrollBar::SetHovered(std::uint32_t part) {
  const std::uint32_t parts = (parts_ & ~kHoveredMask) | (part >> 4);
  if (parts == parts_) return;
  parts_ = parts;
  Invalidate();
}

void ScrollBar::OnLButtonDown(void* context, Control*, EventArgs& args) {
  auto* bar = static_cast<ScrollBar*>(context);
  args.handled = 1;
  const Point cursor = bar->GetCursorPosition();
  const std::uint32_t part = bar->HitPart(cursor.x, cursor.y);
  bar->parts_ = (bar->parts_ & ~kPressedMask) | part;
  bar->Invalidate();
  if (part == ScrollBarPart::None) return;
  if (part == ScrollBarPart::Thumb) {
    const Rect thumb = bar->ThumbRect();
    bar->grab_offset_ = bar->vertical_ ? thumb.top - cursor.y : thumb.left - cursor.x;
    return;
  }
  bar->StartRepeat();
  bar->OnRepeat();
}

void ScrollBar::OnMouseMove(void* context, Control*, EventArgs&) {
  auto* bar = static_cast<ScrollBar*>(context);
  const Point cursor = bar->GetCursorPosition();
  if (!bar->HasFlag(ControlFlags::Pressed)) {
    bar->SetHovered(bar->HitPart(cursor.x, cursor.y));
    return;
  }
  const std::uint32_t pressed = bar->PressedPart();
  if (pressed == ScrollBarPart::Thumb) {
    const std::int32_t thumb_start = (bar->vertical_ ? cursor.y : cursor.x) + bar->grab_offset_;
    const std::int32_t track = bar->layout_.track_length;
    const std::int32_t length = ScrollBarGeometry::ThumbLength(bar->range_, bar->page_, track);
    std::int32_t position = 0;
    if (ScrollBarGeometry::PositionFromThumb(bar->range_, bar->page_, thumb_start - bar->layout_.track_start, track,
                                             length, &position))
      bar->Notify(ScrollNotify::ThumbDrag, position);
    return;
  }
  if (pressed == ScrollBarPart::None) return;
  if (bar->HitPart(cursor.x, cursor.y) == pressed)
    bar->StartRepeat();
  else
    bar->StopRepeat();
}

void ScrollBar::OnLostCapture(void* context, Control*, EventArgs&) {
  auto* bar = static_cast<ScrollBar*>(context);
  if (bar->PressedPart() != ScrollBarPart::Thumb) bar->StopRepeat();
  bar->parts_ &= ~kPressedMask;
  bar->Invalidate();
}

void ScrollBar::OnMouseLeave(void* context, Control*, EventArgs&) {
  static_cast<ScrollBar*>(context)->SetHovered(ScrollBarPart::None);
}

}  // namespace vcam::dui
