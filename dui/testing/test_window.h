#pragma once
// A window of the tests' own: records what the tree asks of it.
#include <vector>

#include "dui/core/control.h"
#include "dui/core/control_host.h"

namespace vcam::dui::testing {

class TestWindow : public ControlHost {
 public:
  void ControlRemoved(Control* control) override;
  void Invalidate(Control* control, bool synchronous) override;
  Point CursorPosition() override { return cursor; }
  void SetFocusedControl(Control* control) override { focused = control; }
  void CaptureControl(Control* control) override { captured = control; }
  void ReleaseControlCapture() override { captured = nullptr; }

  Point cursor;
  Control* focused = nullptr;
  Control* captured = nullptr;
  std::vector<const Control*> removed;
  std::vector<const Control*> invalidated;
};

}  // namespace vcam::dui::testing
