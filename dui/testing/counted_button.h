#pragma once
// A button inside a grid attached to a test window while the object lives,
// counting the events of one kind that reach the button. Tests may remove the
// button from the grid, or detach and destroy the grid themselves.
#include <cstdint>
#include <memory>

#include "dui/controls/button.h"
#include "dui/layout/grid.h"
#include "dui/testing/event_counter.h"
#include "dui/testing/test_window.h"

namespace vcam::dui::testing {

struct CountedButton {
  explicit CountedButton(std::int32_t kind)
      : root(std::make_unique<Grid>()), button(root->AddChild(std::make_unique<Button>())) {
    counter.Watch(*button, kind);
    root->Attach(&window);
  }
  ~CountedButton() {
    if (root && root->IsLive()) root->Detach();
  }
  CountedButton(const CountedButton&) = delete;
  CountedButton& operator=(const CountedButton&) = delete;

  TestWindow window;
  EventCounter counter;
  std::unique_ptr<Grid> root;
  Control* button;
};

}  // namespace vcam::dui::testing
