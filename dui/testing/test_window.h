#pragma once
// A window of the tests' own: records what the tree asks of it. Like the
// window host, ControlRemoved drops focus and capture that lie in the removed
// subtree, found through the parent chain.
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
  void* NativeHandle() const override { return native_handle; }
  bool IsLayered() const override { return layered; }
  void ShowCaretAt(std::int32_t x, std::int32_t y) override {
    caret_shown = true;
    caret = {x, y};
  }
  void HideCaret() override { caret_shown = false; }
  void SetCaretSize(std::int32_t width, std::int32_t height) override { caret_size = {width, height}; }
  void PostMouseMoveAtCursor() override { ++mouse_moves_posted; }
  Point ClientToScreen(Point client) override { return {client.x + origin.x, client.y + origin.y}; }
  void EndDialog(std::int32_t result) override { dialog_result = result; }

  Point cursor;
  void* native_handle = nullptr;  // stands for the platform window when set
  Point origin;  // the client area's screen position
  bool layered = false;
  bool caret_shown = false;
  Point caret;
  Size caret_size;
  int mouse_moves_posted = 0;
  std::int32_t dialog_result = 0;
  Control* focused = nullptr;
  Control* captured = nullptr;
  std::vector<const Control*> removed;
  // For each ControlRemoved call: the control and its ancestors, as the
  // window saw them at the call.
  std::vector<std::vector<const Control*>> removed_chains;
  std::vector<const Control*> invalidated;
};

}  // namespace vcam::dui::testing
