#include "dui/core/delegate.h"

#include <functional>
#include <new>

namespace vcam::dui {

namespace {

union Slot {
  Delegate record;
  Slot* next_free;
  constexpr Slot() : next_free(nullptr) {}
};
static_assert(sizeof(Slot) == 2 * sizeof(void*), "a delegate is two words");

Slot g_slots[DelegatePool::kSlots];
std::size_t g_never_used = 0;  // slots from here on have never been handed out
Slot* g_free = nullptr;
std::size_t g_in_use = 0;

}  // namespace

Delegate* DelegatePool::Allocate() {
  Slot* slot = nullptr;
  if (g_free) {
    slot = g_free;
    g_free = slot->next_free;
  } else if (g_never_used < kSlots) {
    slot = &g_slots[g_never_used++];
  } else {
    return new Delegate;
  }
  ++g_in_use;
  return new (&slot->record) Delegate;
}

void DelegatePool::Release(Delegate* record) {
  if (!record) return;
  if (!InPool(record)) {
    delete record;
    return;
  }
  Slot* slot = reinterpret_cast<Slot*>(record);
  slot->next_free = g_free;
  g_free = slot;
  --g_in_use;
}

bool DelegatePool::InPool(const Delegate* record) {
  const auto* p = reinterpret_cast<const Slot*>(record);
  return !std::less<const Slot*>{}(p, g_slots) && std::less<const Slot*>{}(p, g_slots + kSlots);
}

std::size_t DelegatePool::InUse() { return g_in_use; }

DelegatePtr MakeDelegate(void* context, EventHandler function) {
  Delegate* record = DelegatePool::Allocate();
  record->context = context;
  record->function = function;
  return DelegatePtr(record, &DelegatePool::Release);
}

}  // namespace vcam::dui
