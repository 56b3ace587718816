#pragma once
// A handler that counts the events reaching it: how many, how many arrived
// already marked handled, and the thread the last one ran on.
#include <cstdint>
#include <thread>

#include "dui/core/control.h"

namespace vcam::dui::testing {

struct EventCounter {
  // Registers the counter for `kind` on `control`.
  void Watch(Control& control, std::int32_t kind) { control.AddHandler(kind, this, &Run); }

  static void Run(void* context, Control*, EventArgs& args) {
    auto* counter = static_cast<EventCounter*>(context);
    ++counter->count;
    if (args.handled) ++counter->arrived_handled;
    counter->thread = std::this_thread::get_id();
  }

  int count = 0;
  int arrived_handled = 0;
  std::thread::id thread;
};

}  // namespace vcam::dui::testing
