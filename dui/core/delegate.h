#pragma once
// Event handlers. A Delegate is two words (context, function) drawn from a
// fixed pool so that registering handlers rarely touches the heap; it is held
// by shared pointer so that a raise in progress keeps it alive.
#include <cstddef>
#include <memory>

#include "dui/core/event_args.h"

namespace vcam::dui {

class Control;

using EventHandler = void (*)(void* context, Control* sender, EventArgs& args);

struct Delegate {
  void* context = nullptr;
  EventHandler function = nullptr;  // null: skipped when invoked
};

using DelegatePtr = std::shared_ptr<Delegate>;

// Two-word records from a static pool with a free list; the heap once the pool
// is exhausted. UI thread only.
class DelegatePool {
 public:
  static constexpr std::size_t kSlots = 50000;

  static Delegate* Allocate();
  static void Release(Delegate* record);
  static bool InPool(const Delegate* record);
  static std::size_t InUse();  // pool slots handed out and not yet released
};

DelegatePtr MakeDelegate(void* context, EventHandler function);

}  // namespace vcam::dui
