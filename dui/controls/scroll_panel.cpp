#include "dui/controls/scroll_panel.h"

#include <algorithm>

#include "dui/controls/scroll_bar.h"
#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/skin/texture.h"
#include "dui/style/style_drawing.h"

namespace vcam::dui {

namespace {

// Content measured for "auto" gets this much height: as good as unbounded.
constexpr std::int32_t kMeasureHeight = 65536;

}  // namespace

ScrollPanel::ScrollPanel() {
  AddHandler(EventKind::MouseWheel, this, &OnMouseWheel);
  AddHandler(EventKind::LButtonDown, this, &OnLButtonDown);
}

std::unique_ptr<ScrollBar> ScrollPanel::CreateScrollBar(bool vertical) { return std::make_unique<ScrollBar>(vertical); }

std::int32_t ScrollPanel::VerticalBarWidth() {
  UiRuntime* runtime = UiRuntime::Instance();
  const Style* style = runtime ? runtime->GetStyle(u"vscrollbar.xml") : nullptr;
  const Texture* skin = style ? AttributeImage(*style, attr::barSkin) : nullptr;
  return skin ? skin->width() : kDefaultBarWidth;
}

std::int32_t ScrollPanel::HorizontalBarHeight() { return kDefaultBarWidth; }

Control* ScrollPanel::content() const {
  for (Control* c = first_child(); c; c = c->next())
    if (c != bar_) return c;
  return nullptr;
}

std::int32_t ScrollPanel::step() const { return GetInt(attr::itemHeight, kDefaultStep); }

std::int32_t ScrollPanel::scroll_position() const { return bar_ ? bar_->position() : 0; }

void ScrollPanel::ScrollTo(std::int32_t position) {
  if (bar_) bar_->SetPosition(position);
}

Size ScrollPanel::ArrangeOverride(std::int32_t w, std::int32_t h) {
  // 1. The bar is made afresh for every arrangement; only its position survives.
  const std::int32_t position = scroll_position();
  if (bar_) {
    ScrollBar* old = bar_;
    bar_ = nullptr;
    (void)RemoveChild(old);
  }
  // 2. Decide. The content is measured whatever the mode: its arranged size
  //    below comes from that measure.
  Control* c = content();
  const Size desired = c ? c->Measure(w, kMeasureHeight) : Size{};
  const Keyword mode = GetKeyword(attr::scrollvertical, Keyword::Auto);
  const bool shown = mode == Keyword::Always || (mode != Keyword::Never && desired.cy > h);
  // 3. The bar along the right edge.
  if (shown) {
    auto made = CreateScrollBar(true);
    made->AddHandler(EventKind::Notify, this, &OnBarNotify);
    bar_ = static_cast<ScrollBar*>(AddChild(std::move(made)));
    bar_->Arrange(w - VerticalBarWidth(), 0, w, h);
  }
  // 4. The content, at least as large as the panel.
  content_rect_ = {0, 0, std::max(desired.cx, w), std::max(desired.cy, h)};
  if (c) c->Arrange(content_rect_.left, content_rect_.top, content_rect_.right, content_rect_.bottom);
  content_shift_ = 0;
  // 5. The bar spans the content; its old position is restored (clamped).
  if (bar_) {
    bar_->set_range(content_rect_.height());
    bar_->set_page(h);
    bar_->SetPosition(position);
  }
  return {w, h};
}

void ScrollPanel::ScrollContentTo(std::int32_t position) {
  // Only the content's own rect moves: a list of thousands of rows is not laid out again.
  if (Control* c = content()) c->MoveArranged(0, content_shift_ - position);
  content_shift_ = position;
  Invalidate();
}

void ScrollPanel::OnBarNotify(void* context, Control*, EventArgs& args) {
  auto* panel = static_cast<ScrollPanel*>(context);
  ScrollBar* bar = panel->bar_;
  if (!bar) return;
  const std::int32_t p = bar->position();
  const std::int32_t height = panel->rect().height();
  switch (args.param1) {
    case ScrollNotify::LineUp: bar->SetPosition(p - panel->step()); break;
    case ScrollNotify::LineDown: bar->SetPosition(p + panel->step()); break;
    case ScrollNotify::PageUp: bar->SetPosition(p - height); break;
    case ScrollNotify::PageDown: bar->SetPosition(p + height); break;
    case ScrollNotify::ThumbDrag: bar->SetPosition(static_cast<std::int32_t>(args.param2)); break;
    default: break;
  }
}

void ScrollPanel::OnMouseWheel(void* context, Control*, EventArgs& args) {
  auto* panel = static_cast<ScrollPanel*>(context);
  if (!panel->bar_) return;  // an outer panel may scroll instead
  // The delta is the high word of wParam, signed.
  const auto delta = static_cast<std::int16_t>((static_cast<std::uintptr_t>(args.param1) >> 16) & 0xFFFF);
  panel->bar_->SetPosition(panel->bar_->position() - panel->step() * (delta / 120));
  args.handled = 1;
  if (ControlHost* w = panel->window()) w->PostMouseMoveAtCursor();
}

void ScrollPanel::OnLButtonDown(void* context, Control*, EventArgs&) {
  auto* panel = static_cast<ScrollPanel*>(context);
  if (ControlHost* w = panel->window()) w->SetFocusedControl(panel);
}

}  // namespace vcam::dui
