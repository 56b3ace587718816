#pragma once
// A button attached to a test window while the object lives, counting the
// events of one kind that reach it.
#include <cstdint>

#include "dui/controls/button.h"
#include "dui/testing/event_counter.h"
#include "dui/testing/test_window.h"

namespace vcam::dui::testing {

struct CountedButton {
  explicit CountedButton(std::int32_t kind) {
    counter.Watch(button, kind);
    button.Attach(&window);
  }
  ~CountedButton() { button.Detach(); }
  CountedButton(const CountedButton&) = delete;
  CountedButton& operator=(const CountedButton&) = delete;

  TestWindow window;
  EventCounter counter;
  Button button;
};

}  // namespace vcam::dui::testing
