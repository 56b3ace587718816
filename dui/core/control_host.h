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
  // earlier entry; entries stay after detach. GetChild answers only with a
  // control that is attached to this window now, so it never hands out a
  // control that was detached and destroyed since.
  void MapId(std::int32_t id, Control* control);
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

 private:
  std::map<std::int32_t, Control*> ids_;
};

}  // namespace vcam::dui
