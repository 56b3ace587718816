#include "dui/core/panel.h"

#include <utility>

#include "dui/core/painter.h"

namespace vcam::dui {

Panel::Panel() {
  SetFlag(ControlFlags::Container, true);
  SetClassName(u"Panel");
}

Panel::~Panel() {
  // The window hears of the panel before its children go.
  BeginDestroy();
  // Each child leaves the list as its own destruction ends, so the window
  // sees it still linked when it hears of it.
  while (first_) delete first_;
}

void Panel::Paint(Painter& painter, const Rect& rect, const Rect& clip) {
  Control::Paint(painter, rect, clip);
  for (Control* c = first_; c; c = c->next()) PaintChild(painter, *c, rect, clip);
}

void Panel::PaintChild(Painter& painter, Control& child, const Rect& rect, const Rect& bound) {
  if (!child.HasFlag(ControlFlags::Visible) || child.HasFlag(ControlFlags::Collapsed)) return;
  const Rect child_rect = child.rect().offset(rect.left, rect.top);
  const Rect child_clip = child_rect.intersect(bound);
  if (child_clip.empty()) return;
  painter.Save();
  painter.IntersectClip(child_clip);
  child.Paint(painter, child_rect, child_clip);
  painter.Restore();
}

Control* Panel::HitTest(std::int32_t x, std::int32_t y) {
  if (!Control::HitTest(x, y)) return nullptr;
  for (Control* c = last_; c; c = c->previous()) {
    if (Control* hit = c->HitTest(x - c->rect().left, y - c->rect().top)) return hit;
  }
  return this;
}

void Panel::UpdateIsVisible() {
  const bool before = HasFlag(ControlFlags::IsVisible);
  Control::UpdateIsVisible();
  if (HasFlag(ControlFlags::IsVisible) == before) return;
  for (Control* c = first_; c; c = c->next()) c->UpdateIsVisible();
}

Control* Panel::AddChild(std::unique_ptr<Control> owned) {
  Control* child = owned.release();
  if (!child) return nullptr;
  child->parent_ = this;
  child->previous_ = last_;
  child->next_ = nullptr;
  if (last_)
    last_->next_ = child;
  else
    first_ = child;
  last_ = child;
  ++count_;
  if (window() && IsLive()) child->Attach(window());
  return child;
}

std::unique_ptr<Control> Panel::RemoveChild(Control* child) {
  // A control with this panel as its logical parent is not the panel's to hand out.
  if (!child || child->parent_ != this || !child->IsInChildList()) return nullptr;
  if (child->window() && child->IsLive()) child->Detach();
  Unlink(child);
  return std::unique_ptr<Control>(child);
}

void Panel::Unlink(Control* child) {
  const bool linked = child->previous_ || first_ == child;
  if (child->parent_ != this || !linked) {
    child->parent_ = nullptr;
    return;
  }
  if (child->previous_)
    child->previous_->next_ = child->next_;
  else
    first_ = child->next_;
  if (child->next_)
    child->next_->previous_ = child->previous_;
  else
    last_ = child->previous_;
  child->parent_ = nullptr;
  child->previous_ = child->next_ = nullptr;
  --count_;
}

}  // namespace vcam::dui
