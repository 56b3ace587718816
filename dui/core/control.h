#pragma once
// A node of a window's control tree: position and size from layout, state
// flags, routed-event handlers, and the link to the window while attached.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
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

  // The element name the control was created for ("Button", "Window", ...);
  // the layout loader sets it. Controls made in code report "Control", or
  // "Panel" for containers, unless their class names itself.
  const std::u16string& class_name() const { return class_name_; }
  void SetClassName(std::u16string name) { class_name_ = std::move(name); }

  // Events. AddHandler returns the handler's position in the list for `kind`.
  std::size_t AddHandler(std::int32_t kind, void* context, EventHandler function);
  // Removes the first registration of (context, function) for `kind`; false
  // when there is none. A raise already under way that collected it skips it.
  bool RemoveHandler(std::int32_t kind, void* context, EventHandler function);
  std::size_t HandlerCount(std::int32_t kind) const;
  void RaiseEvent(EventArgs& args);
  // Raises a heap copy of args on this control from the UI thread's dispatcher;
  // safe from any thread. False when nothing could be posted.
  bool PostEvent(const EventArgs& args);

  // Layout. Sizes include margins; the rect is in the parent's coordinates.
  Size Measure(std::int32_t availableWidth, std::int32_t availableHeight);
  void Arrange(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
  // Shifts the arranged rect without laying the subtree out again: children
  // sit relative to it, so a scrolling panel moves a long content in O(1).
  void MoveArranged(std::int32_t dx, std::int32_t dy) { rect_ = rect_.offset(dx, dy); }

  // Attach to / detach from a window (the window host and Panel call these,
  // and the owner of a page shown through a logical parent).
  void Attach(ControlHost* window);
  void Detach();

  // Called once when destruction starts, while the control still has its
  // parent, children, properties and window. Subclass members may be gone.
  using DestroyHandler = void (*)(void* context, Control* control);
  void AddDestroyHandler(void* context, DestroyHandler function);
  // Removes the first registration of (context, function); false when none.
  bool RemoveDestroyHandler(void* context, DestroyHandler function);

  void SetVisible(bool visible);
  // Disabling an attached control makes the window drop it as focus, capture
  // and hover target, as hiding does; any change invalidates.
  void SetEnabled(bool enabled);
  bool IsEnabled() const { return HasFlag(ControlFlags::Enabled); }

  // A parent that does not list the control among its children (a tab page:
  // its item owns it, the tab control shows it). Routing, visibility, window
  // coordinates and the window's subtree tests follow it like a real parent;
  // the parent's own HitTest must ask the control. Whoever sets it attaches
  // and detaches the control and clears the link before the parent goes.
  // False for a control that is in a child list.
  bool SetLogicalParent(Panel* parent);
  // The control is linked into its parent's child list.
  bool IsInChildList() const;
  void Invalidate(bool synchronous = false);
  // Own rect in window client coordinates (ancestors below the root add their offsets).
  Rect GetWindowRect() const;
  // The cursor relative to this control's origin.
  Point GetCursorPosition() const;

  // The "text" property; SetText invalidates only when the text changes.
  const std::u16string& GetText() const;
  void SetText(std::u16string text);

 protected:
  // The start of destruction: destroy handlers, then, while attached, the
  // window is told the control goes and forgets its id. Runs once; the
  // destructors of Control and Panel call it, so the window still sees the
  // parent chain and the children. Subclasses that tear down state the window
  // could reach call it first in their own destructor.
  void BeginDestroy();

 private:
  friend class Panel;
  friend void RaiseEvent(Control* control, EventArgs& args);

  struct DestroyEntry {
    void* context;
    DestroyHandler function;
  };

  Panel* parent_ = nullptr;
  Control* previous_ = nullptr;
  Control* next_ = nullptr;
  ControlHost* window_ = nullptr;
  Rect rect_;
  Size desired_;
  std::map<std::int32_t, std::vector<DelegatePtr>> handlers_;
  std::uint32_t flags_ = ControlFlags::Initial;
  bool destroying_ = false;
  std::vector<DestroyEntry> destroy_handlers_;
  std::u16string class_name_ = u"Control";
};

// Synchronous routing (Tunnel, Bubble or Direct) from `control`; nothing when
// the control is not live. Safe to call with a pointer to a destroyed control.
void RaiseEvent(Control* control, EventArgs& args);

// Cross-thread posting (defined with the runtime).
using PostedFunction = void (*)(Control* target, EventArgs* args);
bool PostToUiThread(PostedFunction function, Control* target, EventArgs* args);

}  // namespace vcam::dui
