#pragma once
// Giving a control of a loaded layout another class: the replacement takes
// the old control's properties, flags, element name and place among its
// siblings. Event handlers are not carried over (attach them afterwards).
#include <memory>

#include "dui/core/control.h"

namespace vcam::launcher {

// The replacement, now in the tree, or null (and nothing changed) when `old`
// has no parent whose child list holds it. `old` is destroyed.
dui::Control* swap_control(dui::Control& old, std::unique_ptr<dui::Control> replacement);

// Swaps in a new T unless `old` already is one; the control of that class.
template <typename T>
T* make_control_class(dui::Control& old) {
  if (auto* already = dynamic_cast<T*>(&old)) return already;
  return static_cast<T*>(swap_control(old, std::make_unique<T>()));
}

}  // namespace vcam::launcher
