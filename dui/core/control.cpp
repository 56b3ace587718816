#include "dui/core/control.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "dui/core/attribute_names.h"
#include "dui/core/control_host.h"
#include "dui/core/panel.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/style/style.h"

namespace vcam::dui {

namespace {

// Raises in progress, innermost first. A control destroyed by a handler marks
// the frames it is the target of, so the rest of that raise does not hand its
// pointer to further handlers.
struct RaiseFrame {
  const Control* target;
  bool target_destroyed;
  RaiseFrame* outer;
};
RaiseFrame* g_raises = nullptr;

// Collected handlers of one raise: a fixed array, and the heap only past 16.
// Only the entries in use are constructed, so that a raise with one handler
// does not make and destroy sixteen shared pointers.
class HandlerBuffer {
 public:
  HandlerBuffer() {}
  ~HandlerBuffer() { std::destroy_n(fixed_, std::min(count_, kFixed)); }

  void Add(const DelegatePtr& d) {
    if (count_ < kFixed)
      std::construct_at(&fixed_[count_], d);
    else
      overflow_.push_back(d);
    ++count_;
  }
  std::size_t size() const { return count_; }
  const DelegatePtr& operator[](std::size_t i) const {
    return i < kFixed ? fixed_[i] : overflow_[i - kFixed];
  }

 private:
  static constexpr std::size_t kFixed = 16;
  union {
    DelegatePtr fixed_[kFixed];
  };
  std::vector<DelegatePtr> overflow_;
  std::size_t count_ = 0;
};

Keyword Alignment(const Control& c, PropertyKey key) { return c.GetKeyword(key, Keyword::Stretch); }

// Where `extent` starts along one axis of the slot [low, high): centred when
// centred or stretched, against `high` for `far_edge`, else at `low`. A control
// larger than its slot keeps its size, pinned to `low`.
std::int32_t Place(Keyword align, Keyword far_edge, std::int32_t low, std::int32_t high, std::int32_t extent) {
  const std::int32_t last = high - extent;
  std::int32_t at = low;
  if (align == Keyword::Center || align == Keyword::Stretch)
    at = (low + last) / 2;
  else if (align == far_edge)
    at = last;
  return std::max(at, low);
}

void RaisePostedEvent(Control* target, EventArgs* args) {
  args->handled = 0;
  RaiseEvent(target, *args);
  delete args;
}

}  // namespace

Control::Control() = default;

Control::~Control() {
  BeginDestroy();
  for (auto& [kind, list] : handlers_)
    for (auto& d : list) d->function = nullptr;
  for (RaiseFrame* f = g_raises; f; f = f->outer)
    if (f->target == this) f->target_destroyed = true;
  if (parent_) parent_->Unlink(this);
  LiveControlSet::Erase(this);
}

void Control::BeginDestroy() {
  if (destroying_) return;
  destroying_ = true;
  // By index: a handler may remove others (their entries are emptied in
  // place); registrations made now are refused.
  for (std::size_t i = 0; i < destroy_handlers_.size(); ++i) {
    const DestroyEntry h = destroy_handlers_[i];
    if (h.function) h.function(h.context, this);
  }
  destroy_handlers_.clear();
  if (window_ && IsLive()) {
    window_->ControlRemoved(this);
    window_->UnmapControl(this);
  }
}

void Control::AddDestroyHandler(void* context, DestroyHandler function) {
  if (!destroying_ && function) destroy_handlers_.push_back({context, function});
}

bool Control::RemoveDestroyHandler(void* context, DestroyHandler function) {
  for (auto it = destroy_handlers_.begin(); it != destroy_handlers_.end(); ++it) {
    if (it->context != context || it->function != function || !function) continue;
    if (destroying_)
      it->function = nullptr;
    else
      destroy_handlers_.erase(it);
    return true;
  }
  return false;
}

void Control::Paint(Painter& painter, const Rect& rect, const Rect& /*clip*/) {
  const std::u16string* style_name = FindString(attr::style);
  UiRuntime* runtime = UiRuntime::Instance();
  if (!style_name || !runtime) return;
  if (Style* style = runtime->GetStyle(*style_name)) style->Draw(painter, rect, *this);
}

Control* Control::HitTest(std::int32_t x, std::int32_t y) {
  if (!HasFlag(ControlFlags::Visible) || HasFlag(ControlFlags::HitTransparent)) return nullptr;
  return x >= 0 && y >= 0 && x < rect_.width() && y < rect_.height() ? this : nullptr;
}

void Control::UpdateIsVisible() {
  if (!IsLive()) return;
  const bool visible = HasFlag(ControlFlags::Visible) &&
                       (!parent_ || parent_->HasFlag(ControlFlags::IsVisible));
  if (visible == HasFlag(ControlFlags::IsVisible)) return;
  SetFlag(ControlFlags::IsVisible, visible);
  EventArgs args{EventKind::VisibleChanged, Routing::Direct, visible ? 1 : 0, 0, 0};
  RaiseEvent(args);
}

Size Control::MeasureOverride(std::int32_t, std::int32_t) { return {}; }

Size Control::ArrangeOverride(std::int32_t width, std::int32_t height) { return {width, height}; }

std::size_t Control::AddHandler(std::int32_t kind, void* context, EventHandler function) {
  auto& list = handlers_[kind];
  list.push_back(MakeDelegate(context, function));
  return list.size() - 1;
}

bool Control::RemoveHandler(std::int32_t kind, void* context, EventHandler function) {
  const auto it = handlers_.find(kind);
  if (it == handlers_.end()) return false;
  auto& list = it->second;
  for (auto d = list.begin(); d != list.end(); ++d) {
    if ((*d)->context != context || (*d)->function != function) continue;
    // A raise that collected it holds it alive; a null function is skipped.
    (*d)->function = nullptr;
    list.erase(d);
    if (list.empty()) handlers_.erase(it);
    return true;
  }
  return false;
}

std::size_t Control::HandlerCount(std::int32_t kind) const {
  const auto it = handlers_.find(kind);
  return it == handlers_.end() ? 0 : it->second.size();
}

void Control::RaiseEvent(EventArgs& args) { dui::RaiseEvent(this, args); }

void RaiseEvent(Control* control, EventArgs& args) {
  if (!LiveControlSet::Contains(control)) return;

  // 1. Collect: Direct takes the target's handlers; Tunnel and Bubble climb to
  //    the root or to the first RouteStop control, Tunnel taking each control's
  //    handlers in reverse so that the reversed call order below restores them.
  HandlerBuffer collected;
  const bool tunnel = args.routing == Routing::Tunnel;
  for (Control* c = control; c; c = c->parent_) {
    const auto it = c->handlers_.find(args.kind);
    if (it != c->handlers_.end()) {
      if (tunnel)
        for (auto d = it->second.rbegin(); d != it->second.rend(); ++d) collected.Add(*d);
      else
        for (const auto& d : it->second) collected.Add(d);
    }
    if (args.routing == Routing::Direct || c->HasFlag(ControlFlags::RouteStop)) break;
  }

  // 2. Invoke: Tunnel from the outermost, Bubble and Direct from the target.
  RaiseFrame frame{control, false, g_raises};
  g_raises = &frame;
  const std::size_t n = collected.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (args.handled || frame.target_destroyed) break;
    const Delegate& d = *collected[tunnel ? n - 1 - i : i];
    if (d.function) d.function(d.context, control, args);
  }
  g_raises = frame.outer;
}

bool Control::PostEvent(const EventArgs& args) {
  auto* copy = new EventArgs(args);
  if (PostToUiThread(&RaisePostedEvent, this, copy)) return true;
  delete copy;
  return false;
}

Size Control::Measure(std::int32_t w, std::int32_t h) {
  if (!IsLive()) return {};
  if (HasFlag(ControlFlags::Collapsed)) {
    desired_ = {};
    return desired_;
  }
  const Rect margin = GetRect(attr::margin);
  const std::int32_t hm = margin.left + margin.right;
  const std::int32_t vm = margin.top + margin.bottom;
  if (w - hm <= 0 || h - vm <= 0) {
    desired_ = {};
    return desired_;
  }
  const std::int32_t width = GetInt(attr::width, -1);
  const std::int32_t height = GetInt(attr::height, -1);
  const Size s = MeasureOverride(width != -1 ? width : w - hm, height != -1 ? height : h - vm);
  desired_ = {(width != -1 ? width : s.cx) + hm, (height != -1 ? height : s.cy) + vm};
  return desired_;
}

void Control::Arrange(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  if (!IsLive()) return;
  // A collapsed control takes no space wherever its parent puts it.
  if (HasFlag(ControlFlags::Collapsed)) {
    rect_ = {};
    return;
  }
  const Rect margin = GetRect(attr::margin);
  const std::int32_t hm = margin.left + margin.right;
  const std::int32_t vm = margin.top + margin.bottom;
  const std::int32_t aw = x1 - x0 - hm;
  const std::int32_t ah = y1 - y0 - vm;
  if (aw <= 0 || ah <= 0) {
    rect_ = {};
    return;
  }
  const Keyword halign = Alignment(*this, attr::horizontalAlign);
  const Keyword valign = Alignment(*this, attr::verticalAlign);
  const std::int32_t dw = desired_.cx - hm;
  const std::int32_t dh = desired_.cy - vm;
  std::int32_t sw = halign == Keyword::Stretch ? std::max(aw, dw) : dw;
  std::int32_t sh = valign == Keyword::Stretch ? std::max(ah, dh) : dh;
  const std::int32_t width = GetInt(attr::width, -1);
  const std::int32_t height = GetInt(attr::height, -1);
  if (width != -1) sw = width;
  if (height != -1) sh = height;

  const Size f = ArrangeOverride(sw, sh);
  if (f.cx <= 0 || f.cy <= 0) {
    rect_ = {};
    return;
  }
  const std::int32_t left = Place(halign, Keyword::Right, x0 + margin.left, x1 - margin.right, f.cx);
  const std::int32_t top = Place(valign, Keyword::Bottom, y0 + margin.top, y1 - margin.bottom, f.cy);
  rect_ = {left, top, left + f.cx, top + f.cy};
}

void Control::Attach(ControlHost* window) {
  LiveControlSet::Insert(this);
  window_ = window;
  std::int32_t id = 0;
  if (window && FindValue(attr::id, &id)) window->MapId(id, this);
  EventArgs attached{EventKind::Attached, Routing::Direct, 0, 0, 0};
  RaiseEvent(attached);
  UpdateIsVisible();
  if (HasFlag(ControlFlags::Container))
    for (Control* c = static_cast<Panel*>(this)->first_child(); c; c = c->next_) c->Attach(window);
}

void Control::Detach() {
  if (window_) {
    window_->ControlRemoved(this);
    window_->UnmapControl(this);
  }
  window_ = nullptr;
  if (HasFlag(ControlFlags::Container))
    for (Control* c = static_cast<Panel*>(this)->first_child(); c; c = c->next_) c->Detach();
  EventArgs detached{EventKind::Detached, Routing::Direct, 0, 0, 0};
  RaiseEvent(detached);
  LiveControlSet::Erase(this);
}

void Control::SetVisible(bool visible) {
  if (HasFlag(ControlFlags::Visible) == visible) return;
  SetFlag(ControlFlags::Visible, visible);
  UpdateIsVisible();
  if (!visible && window_ && IsLive()) window_->ControlRemoved(this);
  Invalidate(false);
}

void Control::SetEnabled(bool enabled) {
  if (HasFlag(ControlFlags::Enabled) == enabled) return;
  SetFlag(ControlFlags::Enabled, enabled);
  if (!enabled && window_ && IsLive()) window_->ControlRemoved(this);
  Invalidate(false);
}

bool Control::IsInChildList() const {
  return parent_ && (previous_ || parent_->first_child() == this);
}

bool Control::SetLogicalParent(Panel* parent) {
  if (IsInChildList() || parent == this) return false;
  parent_ = parent;
  return true;
}

void Control::Invalidate(bool synchronous) {
  if (window_ && IsLive()) window_->Invalidate(this, synchronous);
}

Rect Control::GetWindowRect() const {
  if (!IsLive()) return {};
  Rect r = rect_;
  for (const Panel* p = parent_; p && p->parent(); p = p->parent()) r = r.offset(p->rect().left, p->rect().top);
  return r;
}

Point Control::GetCursorPosition() const {
  if (!window_ || !IsLive()) return {};
  Point p = window_->CursorPosition();
  for (const Control* c = this; c; c = c->parent_) {
    p.x -= c->rect_.left;
    p.y -= c->rect_.top;
  }
  return p;
}

const std::u16string& Control::GetText() const {
  static const std::u16string kEmpty;
  const std::u16string* text = FindString(attr::text);
  return text ? *text : kEmpty;
}

void Control::SetText(std::u16string text) {
  const std::u16string* current = FindString(attr::text);
  if (current && *current == text) return;
  if (!current && text.empty()) return;
  SetString(attr::text, std::move(text));
  Invalidate(false);
}

}  // namespace vcam::dui
