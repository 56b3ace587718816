#include "dui/testing/test_window.h"

namespace vcam::dui::testing {

void TestWindow::ControlRemoved(Control* control) {
  removed.push_back(control);
  if (focused == control) focused = nullptr;
  if (captured == control) captured = nullptr;
}

void TestWindow::Invalidate(Control* control, bool) { invalidated.push_back(control); }

}  // namespace vcam::dui::testing
