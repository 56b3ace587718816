#include "dui/controls/tab_control.h"

#include <algorithm>

#include "dui/controls/tab_item.h"
#include "dui/controls/tab_slide.h"
#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::dui {

namespace {

bool Contains(const Rect& r, std::int32_t x, std::int32_t y) {
  return x >= r.left && y >= r.top && x < r.right && y < r.bottom;
}

void RaiseValueChange(Control& control) {
  EventArgs changed{EventKind::ValueChange, Routing::Direct, 0, 0, 0};
  control.RaiseEvent(changed);
}

// The page of a child that is a tab item; null for other children.
Control* PageOf(Control* child) {
  auto* item = dynamic_cast<TabItem*>(child);
  return item ? item->page() : nullptr;
}

}  // namespace

TabControl::TabControl() = default;

TabControl::~TabControl() {
  // The items outlive this part of the object: the selected one must not call
  // back into it when it goes.
  if (selected_) selected_->RemoveDestroyHandler(this, &OnItemDestroyed);
}

TabControl::Placement TabControl::GetPlacement() const {
  switch (GetKeyword(attr::tabPlacement, Keyword::Top)) {
    case Keyword::Top:
      return Placement::Top;
    case Keyword::Left:
      return Placement::Left;
    default:
      return Placement::Invalid;
  }
}

TabItem* TabControl::selected() const { return selected_ && selected_->parent() == this ? selected_ : nullptr; }

std::int32_t TabControl::IndexOf(const Control* item) const {
  std::int32_t i = 0;
  for (const Control* c = first_child(); c; c = c->next(), ++i)
    if (c == item) return i;
  return -1;
}

Size TabControl::MeasureOverride(std::int32_t w, std::int32_t h) {
  const Placement placement = GetPlacement();
  if (placement == Placement::Invalid) return {};
  const std::int32_t t = GetInt(attr::tabHeight, 0);
  const bool top = placement == Placement::Top;
  std::int32_t strip = 0, widest = 0, tallest = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size item = top ? c->Measure(w, t) : c->Measure(t, h);
    strip += top ? item.cx : item.cy;
    if (Control* page = PageOf(c)) {
      const Size s = top ? page->Measure(w, h - t) : page->Measure(w - t, h);
      widest = std::max(widest, s.cx);
      tallest = std::max(tallest, s.cy);
    }
  }
  return top ? Size{std::max(strip, widest), t + tallest} : Size{widest + t, std::max(strip, tallest)};
}

Size TabControl::ArrangeOverride(std::int32_t w, std::int32_t h) {
  const Placement placement = GetPlacement();
  if (placement == Placement::Invalid) {
    header_ = page_area_ = {};
    return {w, h};
  }
  if (!selected())
    for (Control* c = first_child(); c; c = c->next())
      if (auto* item = dynamic_cast<TabItem*>(c)) {
        Select(item);
        break;
      }
  const std::int32_t t = GetInt(attr::tabHeight, 0);
  const bool top = placement == Placement::Top;
  header_ = top ? Rect{0, 0, w, t} : Rect{0, 0, t, h};
  page_area_ = top ? Rect{0, t, w, h} : Rect{t, 0, w, h};
  std::int32_t at = 0;
  for (Control* c = first_child(); c; c = c->next()) {
    const Size d = c->desired();
    if (top) {
      c->Arrange(at, 0, at + d.cx, t);
      at += d.cx;
    } else {
      c->Arrange(0, at, t, at + d.cy);
      at += d.cy;
    }
    if (Control* page = PageOf(c)) page->Arrange(page_area_.left, page_area_.top, page_area_.right, page_area_.bottom);
  }
  return {w, h};
}

void TabControl::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  // 1. The control's own style over the header strip only.
  const Rect header = header_.offset(rect.left, rect.top);
  if (!header.intersect(clip).empty()) Control::Paint(painter, header, header.intersect(clip));
  // 2. The visible items.
  for (Control* c = first_child(); c; c = c->next()) PaintChild(painter, *c, rect, clip);
  // 3. The selected page, kept inside the page area while it slides.
  TabItem* item = selected();
  if (Control* page = item ? item->page() : nullptr)
    PaintChild(painter, *page, rect, page_area_.offset(rect.left, rect.top).intersect(clip));
}

Control* TabControl::HitTest(std::int32_t x, std::int32_t y) {
  if (!Control::HitTest(x, y)) return nullptr;
  if (Contains(header_, x, y)) {
    for (Control* c = last_child(); c; c = c->previous())
      if (Control* hit = c->HitTest(x - c->rect().left, y - c->rect().top)) return hit;
    return this;
  }
  TabItem* item = selected();
  if (Control* page = item ? item->page() : nullptr)
    if (Control* hit = page->HitTest(x - page->rect().left, y - page->rect().top)) return hit;
  return this;
}

void TabControl::UpdateIsVisible() {
  const bool before = HasFlag(ControlFlags::IsVisible);
  Panel::UpdateIsVisible();
  if (HasFlag(ControlFlags::IsVisible) == before) return;
  // The pages hang below this control without being children.
  for (Control* c = first_child(); c; c = c->next())
    if (Control* page = PageOf(c)) page->UpdateIsVisible();
}

void TabControl::Select(TabItem* item) {
  if (!item || item->parent() != this) return;
  TabItem* old = selected();
  if (item == old) return;
  // Taken before any handler runs: one may remove or destroy the old item.
  const std::int32_t old_index = old ? IndexOf(old) : -1;
  if (selected_) selected_->RemoveDestroyHandler(this, &OnItemDestroyed);
  selected_ = item;
  item->AddDestroyHandler(this, &OnItemDestroyed);
  if (old) {
    old->SetFlag(ControlFlags::Checked, false);
    old->Invalidate(false);
    RaiseValueChange(*old);
  }
  item->SetFlag(ControlFlags::Checked, true);
  item->Invalidate(false);
  RaiseValueChange(*item);
  // A handler may have chosen another item or taken this one away.
  if (selected() != item) return;
  if (old_index >= 0 && GetPlacement() == Placement::Top)
    if (Control* page = item->page(); page && page->IsLive())
      SlideIn(page, TabSlideDirection(old_index, IndexOf(item)));
  Invalidate(false);
  RaiseValueChange(*this);
}

void TabControl::SlideIn(Control* page, std::int32_t direction) {
  UiRuntime* runtime = UiRuntime::Instance();
  PreciseClock* clock = slide_clock_ ? slide_clock_ : runtime ? &runtime->platform().Clock() : nullptr;
  const Rect area = page_area_;
  if (!clock || area.width() <= 0) return;
  const std::int64_t start = clock->Ticks();
  const std::int64_t frequency = clock->TicksPerSecond();
  for (std::int32_t step = 1; step <= kTabSlideSteps; ++step) {
    const std::int32_t offset = TabSlideOffset(area.width(), direction, step);
    page->Arrange(area.left + offset, area.top, area.right + offset, area.bottom);
    Invalidate(true);
    // A busy wait: the slide runs inside the click's handling, and a timer
    // could neither keep the 10 ms pace nor stop other input meanwhile.
    const std::int64_t deadline = TabSlideDeadline(start, frequency, step);
    while (clock->Ticks() < deadline) {
    }
  }
  page->Arrange(area.left, area.top, area.right, area.bottom);
}

void TabControl::OnItemDestroyed(void* context, Control* item) {
  auto* self = static_cast<TabControl*>(context);
  if (self->selected_ == item) self->selected_ = nullptr;
}

}  // namespace vcam::dui
