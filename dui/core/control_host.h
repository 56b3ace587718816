#pragma once
// The window side of a control tree: what controls call on the window that
// shows them. The window host implements it; tests use a window of their own.
#include <cstdint>
#include <map>

#include "dui/core/geometry.h"

namespace vcam::dui {

class Control;

class ControlHost {
 public:
  virtual ~ControlHost() = default;

  // The id map. Attach enters a control with an "id" value, replacing an
  // earlier entry; detaching or destroying the control erases its entry, so a
  // control that went away can never be handed out again, not even when a new
  // control was allocated at its address. GetChild also answers only with a
  // control attached to this window now.
  void MapId(std::int32_t id, Control* control);
  // Erases the entry the control was mapped under; nothing when it has none.
  void UnmapControl(const Control* control);
  Control* GetChild(std::int32_t id) const;

  // Called before `control` (or an ancestor) is hidden, detached or destroyed:
  // drop capture, focus, last focus and hover that lie in its subtree.
  virtual void ControlRemoved(Control* control) = 0;
  // Repaint the control's window rectangle now or through a posted request.
  virtual void Invalidate(Control* control, bool synchronous) = 0;
  // The mouse cursor in client coordinates.
  virtual Point CursorPosition() = 0;

  virtual void SetFocusedControl(Control* control) = 0;
  virtual void CaptureControl(Control* control) = 0;
  virtual void ReleaseControlCapture() = 0;

  // The platform window (an HWND on Windows), null where there is none.
  virtual void* NativeHandle() const = 0;
  // The window has per-pixel alpha (its text needs the alpha repair).
  virtual bool IsLayered() const = 0;
  // The text caret, in client coordinates; the text controls size it.
  virtual void ShowCaretAt(std::int32_t x, std::int32_t y) = 0;
  virtual void HideCaret() = 0;
  virtual void SetCaretSize(std::int32_t width, std::int32_t height) = 0;
  // Queues a mouse move at the cursor so that hover is worked out again.
  virtual void PostMouseMoveAtCursor() = 0;
  // A client point in screen coordinates.
  virtual Point ClientToScreen(Point client) = 0;
  // Ends the window's modal loop with a non-zero result.
  virtual void EndDialog(std::int32_t result) = 0;

 private:
  std::map<std::int32_t, Control*> ids_;
  // Each mapped control's key, so that its entry goes without a search even
  // when its "id" property changed after attach.
  std::map<const Control*, std::int32_t> keys_;
};

}  // namespace vcam::dui
