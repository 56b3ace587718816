#pragma once
// A node of a window's control tree: position and size from layout, state
// flags, routed-event handlers, and the link to the window while attached.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dui/core/control_flags.h"
#include "dui/core/delegate.h"
#include "dui/core/event_args.h"
#include "dui/core/geometry.h"
#include "dui/core/live_control_set.h"
#include "dui/core/object.h"

namespace vcam::dui {

class ControlHost;
class Painter;
class Panel;

class Control : public Object {
 public:
  Control();
  ~Control() override;

  // The virtual operations, in their binding order.
  // Draws the style named by "style" over `rect` (window coordinates).
  virtual void Paint(Painter& painter, const Rect& rect, const Rect& clip);
  // (x, y) relative to the control's own origin; the deepest hit control or null.
  virtual Control* HitTest(std::int32_t x, std::int32_t y);
  virtual void UpdateIsVisible();
  virtual Size MeasureOverride(std::int32_t width, std::int32_t height);
  virtual Size ArrangeOverride(std::int32_t width, std::int32_t height);

  Panel* parent() const { return parent_; }
  Control* previous() const { return previous_; }
  Control* next() const { return next_; }
  ControlHost* window() const { return window_; }
  const Rect& rect() const { return rect_; }
  Size desired() const { return desired_; }
  std::uint32_t flags() const { return flags_; }
  bool HasFlag(std::uint32_t flag) const { return (flags_ & flag) != 0; }
  void SetFlag(std::uint32_t flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }
  bool IsLive() const { return LiveControlSet::Contains(this); }

  // Events. AddHandler returns the handler's position in the list for `kind`.
  std::size_t AddHandler(std::int32_t kind, void* context, EventHandler function);
  std::size_t HandlerCount(std::int32_t kind) const;
  void RaiseEvent(EventArgs& args);
  // Raises a heap copy of args on this control from the UI thread's dispatcher;
  // safe from any thread. False when nothing could be posted.
  bool PostEvent(const EventArgs& args);

  // Layout. Sizes include margins; the rect is in the parent's coordinates.
  Size Measure(std::int32_t availableWidth, std::int32_t availableHeight);
  void Arrange(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

  // Attach to / detach from a window (the window host and Panel call these).
  void Attach(ControlHost* window);
  void Detach();

  void SetVisible(bool visible);
  void Invalidate(bool synchronous = false);
  // Own rect in window client coordinates (ancestors below the root add their offsets).
  Rect GetWindowRect() const;
  // The cursor relative to this control's origin.
  Point GetCursorPosition() const;

  // The "text" property; SetText invalidates only when the text changes.
  const std::u16string& GetText() const;
  void SetText(std::u16string text);

 private:
  friend class Panel;
  friend void RaiseEvent(Control* control, EventArgs& args);

  Panel* parent_ = nullptr;
  Control* previous_ = nullptr;
  Control* next_ = nullptr;
  ControlHost* window_ = nullptr;
  Rect rect_;
  Size desired_;
  std::map<std::int32_t, std::vector<DelegatePtr>> handlers_;
  std::uint32_t flags_ = ControlFlags::Initial;
};

// Synchronous routing (Tunnel, Bubble or Direct) from `control`; nothing when
// the control is not live. Safe to call with a pointer to a destroyed control.
void RaiseEvent(Control* control, EventArgs& args);

// Cross-thread posting (defined with the runtime).
using PostedFunction = void (*)(Control* target, EventArgs* args);
bool PostToUiThread(PostedFunction function, Control* target, EventArgs* args);

}  // namespace vcam::dui
